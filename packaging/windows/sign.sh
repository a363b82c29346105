#!/usr/bin/env bash
# Signs a Windows program in place (Authenticode, SHA-256) with the maker's code-signing certificate:
# the PKCS#12 file named by SHUJIAN_SIGN_PKCS12 and its password in SHUJIAN_SIGN_PASSWORD, and, when
# SHUJIAN_SIGN_TIMESTAMP_URL names an RFC 3161 time-stamping server, a time stamp from it, so that
# the signature stays valid after the certificate expires. The release runs it on shujian.exe, and
# makensis on the uninstaller and on the installer.
#   packaging/windows/sign.sh FILE
set -euo pipefail
file=${1:?usage: sign.sh FILE}
options=(-pkcs12 "${SHUJIAN_SIGN_PKCS12:?no certificate: set SHUJIAN_SIGN_PKCS12}" -h sha256)
if [ -n "${SHUJIAN_SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$SHUJIAN_SIGN_TIMESTAMP_URL")
fi
# The password goes through a pipe: on the command line every user of the machine could read it.
printf '%s' "${SHUJIAN_SIGN_PASSWORD-}" \
    | osslsigncode sign "${options[@]}" -readpass /dev/stdin -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
