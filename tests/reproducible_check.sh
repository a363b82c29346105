#!/usr/bin/env bash
# Builds the releases a second time, from a copy of this tree at another path and at another time,
# and checks that they are the same bytes as this tree's: the Debian package (./dev package in both)
# and, where the Windows Qt is built, the installer and the zip (./dev windows here, only the
# release target in the copy). Each side's SHA256SUMS is checked against the other's files, as a
# user checks a download against a rebuild. Unsigned: a signature is added after the build.
#   tests/reproducible_check.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy=$work/shujian
say() { printf '%s\n' "$*" >&2; }

# The copy is HEAD and whatever this tree changes beside it, so that an uncommitted change is
# checked too; its files are as new as the copy.
git clone -q --no-hardlinks "$root" "$copy"
git -C "$copy" checkout -q --detach "$(git -C "$root" rev-parse HEAD)"
git -C "$root" diff --binary HEAD | git -C "$copy" apply --allow-empty
git -C "$root" ls-files -z --others --exclude-standard \
    | tar -C "$root" --null -T - -cf - | tar -C "$copy" -xf -

# What the copy's fresh build made (PATTERN...) must be the same bytes here, and this tree's files
# must pass the copy's SHA256SUMS.
compare() {
    local name=$1 first=$2 second=$3 file same=yes
    shift 3
    for file in $(cd "$second" && ls -d -- $*); do
        if cmp -s "$first/$file" "$second/$file"; then
            say "  same:   $file ($(stat -c %s "$second/$file") bytes)"
        else
            say "  differ: $file"
            same=no
        fi
    done
    if [ ! -f "$second/SHA256SUMS" ]; then
        say "  no SHA256SUMS beside them"
        same=no
    elif ! (cd "$first" && sha256sum --check --quiet "$second/SHA256SUMS" >&2); then
        same=no
    fi
    if [ "$same" = yes ]; then
        say "$name: the same bytes at two paths."
    else
        say "$name: the two builds differ ($first, $second)."
        return 1
    fi
}

unset SHUJIAN_SIGN_PKCS12
status=0
(cd "$root" && ./dev package)
(cd "$copy" && ./dev package)
compare "The Debian package" "$root/build/release" "$copy/build/release" '*.deb' || status=1

if "$root/packaging/windows/build-qt.sh" --check; then
    (cd "$root" && ./dev windows)
    # Only what the release needs, with the time ./dev windows gave it here.
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$copy" log -1 --format=%ct)}
    export SOURCE_DATE_EPOCH
    (cd "$copy" && cmake --preset windows >/dev/null \
        && cmake --build --preset windows --target windows-release)
    compare "The Windows release" "$root/build/windows" "$copy/build/windows" '*-setup.exe' '*.zip' \
        || status=1
else
    say "The Windows release was not compared: this machine has no Windows Qt (./dev windows)."
fi
exit "$status"
