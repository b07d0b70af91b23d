#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#
# Builds the Debian packages as a distribution's build daemon would: in a
# fresh Debian 12 root (debootstrap, made once and kept) with only the build
# dependencies of debian/control installed, the tests included (unless
# DEB_BUILD_OPTIONS says nocheck), and times the steps: installing the build
# dependencies, and dpkg-buildpackage -us -uc.
#
#   sudo bash scripts/pakket_schoon.sh [ROOT] [MIRROR]
#
# ROOT defaults to /var/tmp/kwintel_bookworm (the root the first-start
# measurement makes); MIRROR to deb.debian.org. Each run starts from a copy
# of the untouched root. The packages and the build log are copied to
# build-schoon/.
set -euo pipefail
cd "$(dirname "$0")/.."
bron=$PWD
basis=${1:-/var/tmp/kwintel_bookworm}
spiegel=${2:-http://deb.debian.org/debian}
[ "$(id -u)" = 0 ] || { echo "pakket_schoon.sh: als root draaien (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "debootstrap ontbreekt" >&2; exit 1; }
if [ ! -e "$basis/.kwintel_klaar" ]; then
    echo "== debootstrap --variant=minbase bookworm $basis (eenmalig, niet gemeten)"
    rm -rf "$basis"
    debootstrap --variant=minbase bookworm "$basis" "$spiegel"
    touch "$basis/.kwintel_klaar"
fi

root=$(mktemp -d /var/tmp/kwintel_pakket.XXXXXX)
opruimen() {
    # A build that was stopped may still hold the mounts for a moment: then
    # they are detached lazily, and the copy is removed without crossing
    # into them.
    for m in dev/pts dev proc sys; do
        umount "$root/$m" 2>/dev/null || umount -l "$root/$m" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root"
}
trap opruimen EXIT
cp -a "$basis/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mkdir -p "$root/bouw/kwintelvlak"
git -C "$bron" archive HEAD | tar -x -C "$root/bouw/kwintelvlak"

cat >"$root/bouw/bouw.sh" <<BINNEN
#!/bin/bash
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
cd /bouw/kwintelvlak
t0=\$(date +%s.%N)
apt-get update >/dev/null
apt-get install -y --no-install-recommends build-essential fakeroot dpkg-dev >/dev/null
apt-get build-dep -y --no-install-recommends ./ >/dev/null
t1=\$(date +%s.%N)
DEB_BUILD_OPTIONS="parallel=\$(nproc) ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc >/bouw/bouw.log 2>&1 ||
    { tail -60 /bouw/bouw.log; exit 1; }
t2=\$(date +%s.%N)
awk -v a=\$t0 -v b=\$t1 -v c=\$t2 'BEGIN {
    printf "bouwafhankelijkheden %7.1f s\ndpkg-buildpackage    %7.1f s\n", b - a, c - b }'
BINNEN
chroot "$root" bash /bouw/bouw.sh | tee "$root/bouw/tijden"
mkdir -p "$bron/build-schoon"
cp "$root"/bouw/*.deb "$root"/bouw/*.dsc "$root"/bouw/*.tar.* "$root"/bouw/bouw.log \
    "$root"/bouw/tijden "$bron/build-schoon/"
grep -E '^(100% tests|[0-9]+% tests passed|Total Test)' "$bron/build-schoon/bouw.log" || true
ls -1 "$bron"/build-schoon/*.deb
