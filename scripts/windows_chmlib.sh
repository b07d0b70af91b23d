#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Builds chmlib (the help window's reader of ".chm" files) for 64-bit Windows
# from Debian's own source package, as a static library, into the cache
# beside Qt: ${KWINTEL_CACHE:-~/.cache/kwintelvlak}/chmlib-<version>-mingw64-<recipe>.
# Prints that folder (include/chm_lib.h, lib/libchm.a). Takes seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${KWINTEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kwintelvlak}
versie=$(apt-cache policy libchm-dev 2>/dev/null | sed -n 's/^ *Candidate: //p')
[ -n "$versie" ] && [ "$versie" != "(none)" ] || { echo "libchm-dev is niet te vinden" >&2; exit 1; }
recept=$( { grep -v '^[[:space:]]*#' "$0"; echo "$versie"; } | sha256sum | cut -c1-12)
kaal=${versie#*:}
doel=$cache/chmlib-${kaal%%-*}-mingw64-$recept
if [ -f "$doel/.klaar" ]; then
    echo "$doel"
    exit 0
fi
werk=$(mktemp -d "${TMPDIR:-/tmp}/kwintel-chmlib.XXXXXX")
trap 'rm -rf "$werk"' EXIT
(cd "$werk" && apt-get source -q --only-source "chmlib=$versie" >apt-source.log 2>&1) ||
    { cat "$werk/apt-source.log" >&2; exit 1; }
src=$(echo "$werk"/chmlib-*/src)
mkdir -p "$doel.bouw/include" "$doel.bouw/lib"
for c in chm_lib lzx; do
    x86_64-w64-mingw32-gcc-posix -O2 -DWIN32 -w -c "$src/$c.c" -o "$werk/$c.o"
done
x86_64-w64-mingw32-ar rcs "$doel.bouw/lib/libchm.a" "$werk/chm_lib.o" "$werk/lzx.o"
cp "$src/chm_lib.h" "$doel.bouw/include/"
touch "$doel.bouw/.klaar"
find "$cache" -maxdepth 1 -name 'chmlib-*-mingw64-*' ! -name "$(basename "$doel")*" -exec rm -rf {} +
mv "$doel.bouw" "$doel"
echo "$doel"
