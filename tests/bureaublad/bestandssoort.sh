#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#
# The ".brd" file type as a desktop sees it, through GIO and xdg-mime with
# only our type added to the shared MIME database: a board is a Kwintelvlak
# board, "hello" named x.brd is not (other programs' .brd files are not
# claimed), and a board named x.txt is the plain text its name says.
#
#   tests/bureaublad/bestandssoort.sh MIME_XML BOARD
set -euo pipefail
xml=$(realpath "$1")
bord=$(realpath "$2")
for p in gio xdg-mime update-mime-database; do
    command -v "$p" >/dev/null || { echo "$p ontbreekt"; exit 77; }
done
map=$(mktemp -d)
trap 'rm -rf "$map"' EXIT
mkdir -p "$map/data/mime/packages" "$map/bestanden"
cp "$xml" "$map/data/mime/packages/"
export XDG_DATA_HOME=$map/data XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME
update-mime-database "$map/data/mime"
cd "$map/bestanden"
cp "$bord" bord.brd
printf 'hello\n' >x.brd
cp "$bord" x.txt

fout=0
controleer() { # FILE TYPE
    local gio_soort xdg_soort
    gio_soort=$(gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p')
    # With a GNOME desktop named, xdg-mime asks GIO too, as a file manager does.
    xdg_soort=$(xdg-mime query filetype "$1")
    for gezien in "gio info:$gio_soort" "xdg-mime:$xdg_soort"; do
        if [ "${gezien#*:}" = "$2" ]; then
            echo "ok   $1: ${gezien%%:*} zegt $2"
        else
            echo "FOUT $1: ${gezien%%:*} zegt '${gezien#*:}', verwacht $2"
            fout=1
        fi
    done
}
controleer bord.brd application/x-kwintelvlak-bord
controleer x.brd text/plain
controleer x.txt text/plain
exit "$fout"
