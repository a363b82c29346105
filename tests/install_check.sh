#!/usr/bin/env bash
# Installs the built program into a scratch prefix, checks that every file a desktop expects is
# there and valid, and builds the Debian package to check what a Debian user gets.
# usage: SHUJIAN_APP_ID=... SHUJIAN_NAME=... install_check.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
scratch=$2
app_id=${SHUJIAN_APP_ID:?CTest passes it from CMake}
prefix=$scratch/prefix

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for file in bin/shujian \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/32x32/apps/$app_id.png \
            share/icons/hicolor/256x256/apps/$app_id.png \
            share/doc/shujian/copyright \
            share/doc/shujian/changelog.gz \
            share/man/man1/shujian.1.gz; do
    [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/shujian" ] || fail "bin/shujian is not executable"

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop file names another icon"
grep -qx "Exec=shujian" "$desktop" || fail "the desktop file starts another program"
grep -qx "Categories=Utility;" "$desktop" || fail "the desktop file is filed under another category"
grep -qx "Name\[zh_CN\]=$SHUJIAN_NAME" "$desktop" || fail "no Chinese name"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo names another id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "metainfo launches another desktop id"
grep -q '@' "$desktop" "$metainfo" && fail "a placeholder was left unconfigured"

docs=$prefix/share/doc/shujian
head -n1 "$docs/copyright" \
    | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    || fail "the copyright file is not in the machine-readable format"
# gzip -n: no name and no time stamp in the header, so that the package builds reproducibly.
for gz in "$docs/changelog.gz" "$prefix/share/man/man1/shujian.1.gz"; do
    gzip -t "$gz" || fail "$gz is not gzip"
    [ "$(od -An -tu4 -j4 -N4 "$gz" | tr -d ' ')" = 0 ] || fail "$gz carries a time stamp"
done
version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")
zcat "$docs/changelog.gz" | head -n1 | grep -q "^shujian ($version)" \
    || fail "the changelog does not start with the release $version of the metainfo"

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
# libqt6gui6 also carries the X11 platform plugin and the GIF reader.
for package in libqt6widgets6 libqt6gui6 qt6-translations-l10n; do
    [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
[[ $(field Recommends) == *fonts-noto-cjk* ]] || fail "the package does not recommend a CJK font"
[ "$(field Section)" = utils ] || fail "the package's Section is not utils, as Categories=Utility"
[ "$(field Version)" = "$version" ] || fail "the package's version is not the metainfo's $version"

unpacked=$scratch/unpacked
dpkg-deb -x "$deb" "$unpacked"
for file in usr/bin/shujian usr/share/applications/$app_id.desktop usr/share/doc/shujian/copyright \
            usr/share/doc/shujian/changelog.gz usr/share/man/man1/shujian.1.gz; do
    [ -f "$unpacked/$file" ] || fail "the package lacks /$file"
done
file -b "$unpacked/usr/bin/shujian" | grep -q ', stripped' || fail "the packaged program is not stripped"
echo "install check: $(basename "$deb") depends on: $depends"
