#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The first start as a new user meets it, timed on a fresh Debian 12: makes
# a minimal root with debootstrap (once; kept for later runs), copies the
# committed sources into it and runs scripts/start.sh there under Xvfb,
# timing each step on its own: installing the packages, configuring,
# building, and from starting the program to its window on the screen.
#
#   sudo bash scripts/eerste_start_meting.sh [ROOT] [MIRROR]
#
# ROOT defaults to /var/tmp/kwintel_bookworm; MIRROR to deb.debian.org. Each
# run starts from a copy of the untouched root, so every run is a first
# start (the packages are downloaded again: the network counts too). The
# figures are printed at the end and written to ROOT.tijden.
set -euo pipefail
cd "$(dirname "$0")/.."
bron=$PWD
basis=${1:-/var/tmp/kwintel_bookworm}
spiegel=${2:-http://deb.debian.org/debian}
[ "$(id -u)" = 0 ] || { echo "eerste_start_meting.sh: als root draaien (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "debootstrap ontbreekt" >&2; exit 1; }

if [ ! -e "$basis/.kwintel_klaar" ]; then
    echo "== debootstrap --variant=minbase bookworm $basis (eenmalig, niet gemeten)"
    rm -rf "$basis"
    debootstrap --variant=minbase bookworm "$basis" "$spiegel"
    touch "$basis/.kwintel_klaar"
fi

root=$(mktemp -d /var/tmp/kwintel_meting.XXXXXX)
opruimen() {
    for m in dev/pts dev proc sys; do umount "$root/$m" 2>/dev/null || true; done
    rm -rf --one-file-system "$root"
}
trap opruimen EXIT
echo "== kopie van de basis in $root"
cp -a "$basis/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mkdir -p "$root/root/kwintelvlak"
git -C "$bron" archive HEAD | tar -x -C "$root/root/kwintelvlak"

# The window is looked for with xdotool on an X server of its own; those
# tools are installed beside, after the build, and are not counted.
cat >"$root/root/meet.sh" <<'BINNEN'
#!/bin/bash
set -euo pipefail
cd /root/kwintelvlak
export DEBIAN_FRONTEND=noninteractive
begin=$EPOCHREALTIME
# Up to the build as start.sh does it; the program itself is started below.
sed 's|^exec build/programma/kwintelvlak.*|exit 0|' scripts/start.sh >scripts/start_tot_bouw.sh
KWINTEL_TIJDEN=1 bash scripts/start_tot_bouw.sh 2>/root/stappen.log >/root/start.log ||
    { tail -30 /root/start.log /root/stappen.log; exit 1; }
einde_bouw=$EPOCHREALTIME
apt-get install -y --no-install-recommends xvfb xauth xdotool >/dev/null
Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 100); do DISPLAY=:7 xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
start=$EPOCHREALTIME
DISPLAY=:7 QT_QPA_PLATFORM=xcb build/programma/kwintelvlak >/dev/null 2>&1 &
prog=$!
until DISPLAY=:7 xdotool search --onlyvisible --name '^Kwintelvlak$' >/dev/null 2>&1; do sleep 0.02; done
venster=$EPOCHREALTIME
kill $prog $xserver 2>/dev/null || true
grep '^kwintel-stap' /root/stappen.log
echo "kwintel-stap klaar $einde_bouw"
echo "venster $start $venster"
echo "begin $begin"
BINNEN
chroot "$root" bash /root/meet.sh >"$root/uitslag" || { cat "$root/uitslag"; exit 1; }

awk -v kernen="$(nproc)" '
    /^kwintel-stap/ { t[$2] = $3 }
    /^venster/ { vs = $2; ve = $3 }
    END {
        p = t["configureren"] - t["pakketten"]; c = t["bouwen"] - t["configureren"]
        b = t["klaar"] - t["bouwen"]; v = ve - vs
        printf "pakketten     %6.1f s\nconfigureren  %6.1f s\nbouwen        %6.1f s\n", p, c, b
        printf "tot venster   %6.1f s\ntotaal        %6.1f s  (%d kernen)\n", v, p + c + b + v, kernen
    }' "$root/uitslag" | tee "$basis.tijden"
