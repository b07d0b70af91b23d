#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Puts the help compiler chmcmd in the folder given, taken from Debian's
# fp-utils-3.2.2 package without installing that package or the Free Pascal
# compiler it belongs to: the one binary needs nothing but the C library.
#
#   scripts/chmcmd.sh FOLDER      prints the path of FOLDER/chmcmd
set -euo pipefail
doel=${1:?"gebruik: $0 MAP"}
mkdir -p "$doel"
doel=$(cd "$doel" && pwd)
# chmcmd ends with status 1 after its usage text, so it is known by that text.
draait() {
    local uit
    uit=$("$1" --help 2>&1 || true)
    [[ $uit == *"CHM compiler"* ]]
}
if [ -x "$doel/chmcmd" ] && draait "$doel/chmcmd"; then
    echo "$doel/chmcmd"
    exit 0
fi
werk=$(mktemp -d)
trap 'rm -rf "$werk"' EXIT
# apt-get download writes into the current folder; as root it warns that the
# download is not sandboxed, which is harmless here.
(cd "$werk" && apt-get download fp-utils-3.2.2 >/dev/null 2>"$werk/apt.err") || {
    cat "$werk/apt.err" >&2
    echo "chmcmd: het pakket fp-utils-3.2.2 kon niet gedownload worden" >&2
    exit 1
}
dpkg-deb -x "$werk"/fp-utils-3.2.2_*.deb "$werk/uit"
install -m 755 "$werk/uit/usr/bin/chmcmd-3.2.2" "$doel/chmcmd"
draait "$doel/chmcmd" || {
    echo "chmcmd: het programma start niet op deze machine" >&2
    exit 1
}
echo "$doel/chmcmd"
