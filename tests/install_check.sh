#!/usr/bin/env bash
# Installs the built program into a scratch prefix, checks that every file a desktop expects is
# there and valid, and builds the Debian package to check its dependencies.
# usage: install_check.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
scratch=$2
prefix=$scratch/prefix
app_id=example.chenggu.shujian

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for file in bin/shujian \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/32x32/apps/$app_id.png \
            share/icons/hicolor/256x256/apps/$app_id.png; do
    [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/shujian" ] || fail "bin/shujian is not executable"

desktop=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop file names another icon"
grep -qx "Exec=shujian" "$desktop" || fail "the desktop file starts another program"
grep -q "^Name\[zh_CN\]=澄谷数鉴$" "$desktop" || fail "no Chinese name"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
    "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "metainfo launches another desktop id"

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $depends == *libqt6widgets6* ]] || fail "the package does not depend on Qt Widgets: $depends"
[[ $recommends == *fonts-noto-cjk* ]] || fail "the package does not recommend a CJK font"
contents=$(dpkg-deb -c "$deb")
[[ $contents == *usr/share/applications/$app_id.desktop* ]] || fail "the package lacks the desktop file"
echo "install check: $(basename "$deb") depends on: $depends"
