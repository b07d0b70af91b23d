#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# only when something is missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build qt6-base-dev libgl-dev libpulse-dev libchm-dev
      pulseaudio-utils sox
      libbenchmark-dev xvfb xauth fonts-dejavu-core xdotool imagemagick pulseaudio
      clang libclang-rt-14-dev qt6-translations-l10n
      chromium perl)
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
