#!/usr/bin/env bash
# Makes the Windows release again, signed with a certificate made here and thrown away, and checks
# that the program, the uninstaller that the installer writes, and the installer carry valid
# signatures from it.
#   signing_check.sh WORK SIGN_SCRIPT CMAKE RELEASE_ARGS... -P release.cmake
set -euo pipefail
work=$1 sign=$2 cmake=$3
shift 3
fail() { echo "signing check: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/signed"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 1 \
    -subj "/CN=Throwaway test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
export SHUJIAN_SIGN_PKCS12=$work/cert.p12 SHUJIAN_SIGN_PASSWORD=throwaway
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$SHUJIAN_SIGN_PKCS12" \
    -passout env:SHUJIAN_SIGN_PASSWORD
unset SHUJIAN_SIGN_TIMESTAMP_URL

# The signer as the release runs it, keeping a copy of each file it signed: the uninstaller exists
# only inside the installer.
cat >"$work/sign-and-keep.sh" <<END
#!/bin/sh
set -e
"$sign" "\$1"
cp "\$1" "$work/signed/\$(ls "$work/signed" | wc -l)-\$(basename "\$1")"
END
chmod +x "$work/sign-and-keep.sh"
installer=$work/release-setup.exe
"$cmake" -DWORK="$work" -DINSTALLER="$installer" -DZIP="$work/release.zip" \
    -DSIGN="$work/sign-and-keep.sh" "$@" >/dev/null

mapfile -t signed < <(ls "$work/signed")
[ "${#signed[@]}" -eq 3 ] || fail "3 files signed expected, not ${#signed[@]}: ${signed[*]}"
[[ ${signed[0]} == 0-shujian.exe ]] || fail "the program was not the first signed: ${signed[*]}"
cmp -s "$work/signed/${signed[2]}" "$installer" || fail "the installer was not the last signed"
for file in "${signed[@]/#/$work/signed/}"; do
    osslsigncode verify -in "$file" -CAfile "$work/cert.pem" >"$file.verify" 2>&1 \
        || fail "$(basename "$file") has no valid signature: $(tail -n 3 "$file.verify")"
done
echo "signed and verified: ${signed[*]}"
