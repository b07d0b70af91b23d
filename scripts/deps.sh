#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Installs the Debian packages that are missing, and only those.
#
#   scripts/deps.sh          what building and running the program need
#   scripts/deps.sh --test   that and what the tests, benchmarks, the
#                            sanitizer build and the package checks need
set -euo pipefail
# Building and running: compiler, CMake, Qt with its platform plug-ins, the
# sound and help libraries, Xlib (the example plug-ins draw their faces with
# it), xcb (the board gives plug-in panels their background), Qt's own Dutch
# texts and a font.
bouwen=(build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins libgl-dev libpulse-dev
        libchm-dev libx11-dev libxcb1-dev qt6-translations-l10n fonts-dejavu-core)
# Testing: sound tools and a sound server, Google Benchmark, an X server with
# pointer and screen tools, clang for the sanitizer build, the package
# checks, and a browser and prove for the class report and its TAP; GIO and
# xdg-mime for the file type; what building the Debian package needs.
testen=(pulseaudio-utils sox pulseaudio libbenchmark-dev xvfb xauth xdotool imagemagick
        clang libclang-rt-14-dev lintian desktop-file-utils appstream
        chromium perl libglib2.0-bin shared-mime-info xdg-utils
        debhelper dpkg-dev fp-utils-3.2.2 pkgconf)
pkgs=("${bouwen[@]}")
case "${1:-}" in
    --test) pkgs+=("${testen[@]}") ;;
    "") ;;
    *) echo "gebruik: $0 [--test]" >&2; exit 2 ;;
esac
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
