#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Builds Kwintelvlak for 64-bit Windows on Debian, with one command:
#
#   bash scripts/windows.sh            the program, its portable zip and its installer
#   bash scripts/windows.sh --test     the same with the tests, then every test under
#                                      Wine, the installer and the real program end to end
#   bash scripts/windows.sh --pakketten  only what it needs from Debian's archive
#   bash scripts/windows.sh --qt       only that, and Qt and chmlib for Windows into the
#                                      cache (CI starts this early, beside other work)
#
# It installs what it needs from Debian's archive (the MinGW-w64 cross
# compilers, NSIS, Wine, and deb-src for Qt's source), builds Qt for Windows
# from Debian's own source package once into a cache outside the build
# folder (scripts/windows_qt.sh; ${KWINTEL_CACHE:-~/.cache/kwintelvlak}),
# likewise chmlib, and then cross-builds the program, the example plug-ins,
# the help file and the standard boards into build-windows/:
#
#   build-windows/kwintelvlak-<versie>/           the program folder, as on a USB stick
#   build-windows/kwintelvlak-<versie>-windows.zip
#   build-windows/kwintelvlak-<versie>-setup.exe  the installer (NSIS; /S installs silently)
set -euo pipefail
cd "$(dirname "$0")/.."
bron=$PWD
test=0
alleen=""
case "${1:-}" in
--test) test=1 ;;
--pakketten | --qt) alleen=${1#--} ;;
"") ;;
*) echo "gebruik: $0 [--test | --pakketten | --qt]" >&2; exit 2 ;;
esac
uit=${KWINTEL_WINDOWS_MAP:-build-windows}
cache=${KWINTEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kwintelvlak}
export KWINTEL_CACHE=$cache

stap() { echo "=== $* ($(date +%T))" >&2; }

# ---- What the build needs from Debian's archive ------------------------------
stap "pakketten"
bash scripts/deps.sh
pakketten=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
           nsis wine64 fonts-wine zip dpkg-dev xauth)
if [ $test = 1 ]; then
    pakketten+=(xvfb xdotool imagemagick)
fi
ontbreekt=()
for p in "${pakketten[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || ontbreekt+=("$p")
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# Qt's source comes with apt-get source, which needs the archive's deb-src.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        echo "deb-src aanzetten in /etc/apt/sources.list.d/debian.sources" >&2
        $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
        $SUDO apt-get update -q
    fi
fi
if [ ${#ontbreekt[@]} -gt 0 ]; then
    echo "Installeren: ${ontbreekt[*]}" >&2
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${ontbreekt[@]}"
fi

[ "$alleen" = pakketten ] && exit 0

# ---- Qt and chmlib for Windows, cached ---------------------------------------
stap "Qt voor Windows"
qt=$(bash scripts/windows_qt.sh)
stap "chmlib voor Windows"
chmlib=$(bash scripts/windows_chmlib.sh)
[ "$alleen" = qt ] && exit 0

# ---- The program --------------------------------------------------------------
# The build's pictures for the help and the tests run the Windows program
# under Wine, in a prefix of the build's own.
export KWINTEL_WINEPREFIX=$bron/$uit/wine
mkdir -p "$uit"
# ccache, where it is installed, keeps what was compiled outside the clone.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$bron
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
stap "configureren"
cmake -S . -B "$uit" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$bron/cmake/mingw-w64-kwintelvlak.cmake" \
    -DKWINTEL_QT_WINDOWS="$qt" -DKWINTEL_WINDOWS_DEPS="$chmlib" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$bron/scripts/wine.sh" \
    -DKWINTEL_TESTS=$([ $test = 1 ] && echo ON || echo OFF) -DKWINTEL_BENCHMARKS=OFF \
    -DKWINTEL_SNEL=ON \
    ${KWINTEL_CMAKE_OPTIES:-} >"$uit/configureren.log" || { cat "$uit/configureren.log" >&2; exit 1; }
stap "bouwen"
cmake --build "$uit"

# ---- The program folder, the zip and the installer --------------------------
versie=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$uit/CMakeCache.txt")
map=$uit/kwintelvlak-$versie
stap "programmamap, zip en installatieprogramma"
rm -rf "$map"
cmake --install "$uit" --prefix "$map" --strip >/dev/null
(cd "$uit" && rm -f "kwintelvlak-$versie-windows.zip" &&
    zip -qr9 "kwintelvlak-$versie-windows.zip" "kwintelvlak-$versie")
makensis -V2 -DVERSIE="$versie" -DMAP="$bron/$map" -DICOON="$bron/data/windows/kwintelvlak.ico" \
    -DUIT="$bron/$uit/kwintelvlak-$versie-setup.exe" data/windows/kwintelvlak.nsi
ls -l "$uit/kwintelvlak-$versie-windows.zip" "$uit/kwintelvlak-$versie-setup.exe" >&2

[ $test = 1 ] || exit 0

# ---- The tests under Wine -------------------------------------------------------
# One Wine server for the whole run, so each test starts in a moment; Xvfb for
# what Wine needs a display for.
stap "tests onder Wine"
export WINEPREFIX=$KWINTEL_WINEPREFIX WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
/usr/lib/wine/wineserver64 -k 2>/dev/null || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    /usr/lib/wine/wineserver64 -p
    ctest --test-dir "$1" --output-on-failure -j2 --timeout 300
    s=$?
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    exit $s' _ "$uit" || status=$?
stap "het echte programma onder Wine, met de echte aanwijzer"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    bash scripts/windows_e2e.sh "$uit" "$versie" || status=$?
exit $status
