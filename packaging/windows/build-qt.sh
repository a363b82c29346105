#!/usr/bin/env bash
# Builds the Qt that the Windows release links: qtbase from Debian's own qt6-base source, of the
# same version as the machine's Qt host tools, cross-built with MinGW-w64, with only what the
# program and its tests use. It takes long (the README gives the time), so it is built once per
# machine, under ~/.cache/shujian/, and again only when the recipe changes: this script, the
# patches beside it, the toolchain file, or the Debian version of qt6-base.
#
#   packaging/windows/build-qt.sh           build it unless the cached one is from this recipe
#   packaging/windows/build-qt.sh --check   exit 0 when the cached one is from this recipe
#   packaging/windows/build-qt.sh --prefix  print where it is installed
#
# Needs: g++-mingw-w64-x86-64-posix, qt6-base-dev-tools and qt6-base-dev (the same version's moc, rcc
# and uic), libwine-dev (two Wacom headers Debian's source leaves out), dpkg-dev, patch, cmake,
# ninja-build, and a deb-src entry for apt-get source (added when missing).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=$HOME/.cache/shujian
prefix=$cache/qt6-mingw
if [ "${1:-}" = --prefix ]; then
    printf '%s\n' "$prefix"
    exit 0
fi

toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake
patches=("$here"/qt-patches/*.patch)
work=$cache/qt6-mingw-build
stamp=$prefix/shujian-recipe

say() { printf '%s\n' "$*" >&2; }

# moc, rcc and uic are the host's, so the source must be the very same version.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null) || version=
if [ -z "$version" ]; then
    [ "${1:-}" = --check ] && exit 1
    say "qt6-base-dev-tools is not installed: the Windows Qt is built against its version."
    exit 1
fi
recipe=$({ cat "$0" "$toolchain" "${patches[@]}"; echo "qt6-base $version"; } | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
    [ "${1:-}" = --check ] || say "The Windows Qt in $prefix is from this recipe (qt6-base $version)."
    exit 0
fi
[ "${1:-}" = --check ] && exit 1

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# apt-get source needs a deb-src entry; Debian 12 images often come without one. It is made from
# the machine's own deb entries, so the source comes from the same mirror as the packages.
if ! apt-get source --print-uris "qt6-base=$version" 2>/dev/null | grep -q '\.dsc'; then
    say "Adding deb-src entries beside this machine's deb entries, for apt-get source."
    entries=$(
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] && sed -n '/^Types:.*\bdeb\b/,/^$/p' "$f" | sed 's/^Types:.*/Types: deb-src/'
            echo
        done
        grep -h '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
            | sed 's/^deb /deb-src /' || true
    )
    if grep -q '^Types: deb-src' <<<"$entries"; then
        sed '/^deb-src /d' <<<"$entries" | "${sudo[@]}" tee /etc/apt/sources.list.d/shujian-deb-src.sources >/dev/null
    fi
    if grep -q '^deb-src ' <<<"$entries"; then
        grep '^deb-src ' <<<"$entries" | "${sudo[@]}" tee /etc/apt/sources.list.d/shujian-deb-src.list >/dev/null
    fi
    "${sudo[@]}" apt-get update -qq
fi

rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"
say "Fetching Debian's qt6-base $version source."
apt-get source -qq "qt6-base=$version" >/dev/null
source_dir=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$source_dir" ] || { say "apt-get source gave no qt6-base folder."; exit 1; }
source_dir=$work/${source_dir#./}

# The changes to Debian's source, each of which must apply exactly: a patch that no longer fits
# stops the build here rather than after the long build, or never.
for patch in "${patches[@]}"; do
    patch -d "$source_dir" -p1 --forward --batch --fuzz=0 --quiet <"$patch" \
        || { say "$(basename "$patch") does not apply to qt6-base $version."; exit 1; }
done

# Debian's source leaves out the Wacom tablet headers; Wine's copies serve once the two macros
# Wine's own headers would define, and the calling convention macro Qt expects, are set as on
# Windows.
wintab=$source_dir/src/3rdparty/wintab
mkdir -p "$wintab"
cp /usr/include/wine/wine/windows/pktdef.h "$wintab/pktdef.h"
{
    printf '%s\n' '#pragma once' '#include <windows.h>' '#ifndef API' '#define API WINAPI' '#endif' \
        '#define WINELIB_NAME_AW(name) name##W' \
        '#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;'
    cat /usr/include/wine/wine/windows/wintab.h
} >"$wintab/wintab.h"

features=(
    # What the program and its tests use.
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON
    -DFEATURE_gif=ON -DFEATURE_ico=ON -DFEATURE_png=ON
    -DFEATURE_style_windows=ON -DFEATURE_style_windowsvista=ON -DFEATURE_freetype=ON
    # The rest of qtbase, left out.
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_sql_sqlite=OFF
    # Everything that is built comes from this source tree, not from the build machine.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)

# The same DLLs from every build of this recipe: no build folder in them, and the source's own
# date wherever a date is written.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -STimestamp)
export SOURCE_DATE_EPOCH
reproducible="-ffile-prefix-map=$work=."

say "Configuring qtbase for MinGW-w64 into $prefix."
cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="$reproducible" -DCMAKE_CXX_FLAGS="$reproducible" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    "${features[@]}" >"$work/configure.log" \
    || { tail -n 40 "$work/configure.log" >&2; exit 1; }

say "Building qtbase, which takes long; the log is $work/build.log."
started=$(date +%s)
cmake --build "$work/build" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" --strip >/dev/null

# What the release ships beside the DLLs: Qt's licence texts, Debian's account of every part's
# copyright, the changes made to Debian's source, and where that source came from.
mkdir -p "$prefix/licenses/patches"
cp -r "$source_dir"/LICENSES/. "$prefix/licenses/"
cp "$source_dir/debian/copyright" "$prefix/licenses/debian-copyright.txt"
cp "${patches[@]}" "$prefix/licenses/patches/"
cat >"$prefix/licenses/SOURCE.txt" <<EOF
Qt (qtbase) in this release was built with MinGW-w64 from Debian's source package qt6-base
$version ("apt-get source qt6-base=$version" on Debian), by packaging/windows/build-qt.sh in the
program's source. Debian's source was changed only by the patches in patches/ beside this file and
by two Wacom tablet headers taken from Wine's (libwine-dev), which Debian's source leaves out.
Qt is used under the GNU Lesser General Public License version 3 (LGPL-3.0-only.txt); its DLLs may
be replaced by the user. The same source is available from the program's maker on request.
EOF
echo "$(( $(date +%s) - started ))" >"$prefix/shujian-build-seconds"
echo "$recipe" >"$stamp"
rm -rf "$work/build"
say "The Windows Qt is ready in $prefix ($(cat "$prefix/shujian-build-seconds") s)."
