#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Builds Qt for 64-bit Windows (x86_64-w64-mingw32), statically, from Debian's
# own qt6-base source package: the same 6.4 as the Linux build. Only what the
# program and its tests use is built (Core, Gui, Widgets, Test and the Windows
# platform plug-in); moc, rcc and uic come from Debian's host Qt.
#
#   scripts/windows_qt.sh        prints the installed Qt's folder, building
#                                it first when the cache lacks it
#
# The result lives outside the build folder, in
# ${KWINTEL_CACHE:-~/.cache/kwintelvlak}/qt-<version>-mingw64-<recipe>, where
# <recipe> is a hash of this script, the tool-chain file (comment lines left
# out) and the source package's version: a changed recipe builds anew, an
# unchanged one is reused.
set -euo pipefail
cd "$(dirname "$0")/.."
bron=$PWD
cache=${KWINTEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kwintelvlak}
toolchain=$bron/cmake/mingw-w64-x86_64.cmake

qt_versie=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$qt_versie" ] || { echo "qt6-base-dev is niet geïnstalleerd" >&2; exit 1; }
recept=$( { cat "$0" "$toolchain" | grep -v '^[[:space:]]*#'; echo "$qt_versie"; } | sha256sum | cut -c1-12)
doel=$cache/qt-${qt_versie%%+*}-mingw64-$recept
if [ -f "$doel/.klaar" ]; then
    echo "$doel"
    exit 0
fi

# The source package, unpacked with Debian's patches, in a scratch folder that
# goes when this ends.
werk=$(mktemp -d "${TMPDIR:-/tmp}/kwintel-qt.XXXXXX")
trap 'rm -rf "$werk"' EXIT
(
    cd "$werk"
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
        echo "deb-src staat uit: zet 'Types: deb deb-src' in /etc/apt/sources.list.d/debian.sources" >&2
        exit 1
    fi
    apt-get source -q --only-source "qt6-base=$qt_versie" >apt-source.log 2>&1 ||
        { cat apt-source.log >&2; exit 1; }
)
src=$(echo "$werk"/qt6-base-*/)
# Qt 6.4.2's Windows plug-in asks for its OpenGL loader even when Qt is built
# without OpenGL; the check it serves cannot be true then.
sed -i '/^static inline bool isSoftwareGl()$/,/^}$/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"
grep -q 'QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)' "$src/src/plugins/platforms/windows/qwindowswindow.cpp" ||
    { echo "Qt's bron is anders dan verwacht (qwindowswindow.cpp)" >&2; exit 1; }

echo "Qt $qt_versie voor Windows bouwen (eenmalig) in $doel" >&2
start=$(date +%s)
mkdir -p "$cache"
rm -rf "$doel.bouw"
# pkg-config would find the build machine's Linux libraries: Qt brings its own
# zlib, libpng, freetype (for the offscreen platform), harfbuzz and pcre2.
PKG_CONFIG_LIBDIR=/nonexistent nice -n 19 cmake -S "$src" -B "$werk/bouw" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$doel.bouw" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF -DFEATURE_directwrite=OFF \
    -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=OFF -DFEATURE_qmake=OFF \
    -DFEATURE_windeployqt=OFF -DFEATURE_androiddeployqt=OFF \
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_testlib_selfcover=OFF \
    >"$werk/configure.log" 2>&1 || { tail -60 "$werk/configure.log" >&2; exit 1; }
nice -n 19 cmake --build "$werk/bouw" >"$werk/build.log" 2>&1 ||
    { tail -60 "$werk/build.log" >&2; exit 1; }
cmake --install "$werk/bouw" >/dev/null
echo "Qt voor Windows gebouwd in $(( $(date +%s) - start )) s" >&2
touch "$doel.bouw/.klaar"
# Older recipes are of no further use.
find "$cache" -maxdepth 1 -name 'qt-*-mingw64-*' ! -name "$(basename "$doel")*" -exec rm -rf {} +
mv "$doel.bouw" "$doel"
echo "$doel"
