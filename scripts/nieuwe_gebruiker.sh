#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The whole program tried as a new user would, on a real X server: install it
# into a fresh prefix, start the installed program from an empty home folder,
# clear the standard board, take a push button, an inverter and an LED from
# the menus and place them with the pointer, wire push button -> inverter ->
# LED by dragging, press the key with the pointer and read the LED's colour
# from the screen, open the help, save the board through the file dialog,
# clear it with "Nieuw", open it again through the file dialog and save it once
# more: both files must be the same, byte for byte.
#
#   scripts/nieuwe_gebruiker.sh BUILD_FOLDER
#
# Needs an X server in DISPLAY (run it under xvfb-run, with -noreset so that
# the server does not reset between clients), xdotool and
# ImageMagick's import/convert. ctest runs it as e2e/nieuwe_gebruiker.
set -euo pipefail

bouw=$(cd "${1:?"gebruik: $0 BOUWMAP"}" && pwd)
bron=$(cd "$(dirname "$0")/.." && pwd)
werk=$(mktemp -d /tmp/nieuwe_gebruiker.XXXXXX)
pid=""
opruimen() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    if [ "${BEWAAR:-}" = 1 ]; then echo "bewaard: $werk"; else rm -rf "$werk"; fi
}
trap opruimen EXIT
fout() {
    echo "FOUT: $*" >&2
    import -window root "$werk/fout.png" 2>/dev/null && echo "scherm: $werk/fout.png" >&2
    BEWAAR=1
    exit 1
}
stap() { echo "== $*"; }

# ---- Install into a fresh prefix ------------------------------------------------
stap "installeren in $werk/prefix"
# cmake --install writes its list of installed files into the build folder;
# the run leaves that folder as it found it.
manifest="$bouw/install_manifest.txt"
[ -e "$manifest" ] && cp -p "$manifest" "$werk/manifest.bewaard"
KWINTEL_GEEN_DATABASES=1 cmake --install "$bouw" --prefix "$werk/prefix" >"$werk/install.log"
if [ -e "$werk/manifest.bewaard" ]; then mv "$werk/manifest.bewaard" "$manifest"; else rm -f "$manifest"; fi
programma="$werk/prefix/bin/kwintelvlak"
[ -L "$programma" ] || fout "geen starter in bin/"
# The program folder holds the program and links to the data and the boards.
for f in kwintelvlak standaard.brd standaard2.brd kwintel.chm; do
    [ -f "$werk/prefix/lib/kwintelvlak/$f" ] || fout "$f ontbreekt in de programmamap"
done
for f in kwintel.chm standaard.brd standaard2.brd; do
    [ -L "$werk/prefix/lib/kwintelvlak/$f" ] || fout "$f in de programmamap is geen verwijzing"
done
for f in share/applications/kwintelvlak.desktop share/mime/packages/kwintelvlak.xml \
    share/icons/hicolor/scalable/apps/kwintelvlak.svg share/kwintelvlak/kwintel.chm \
    etc/kwintelvlak/standaard.brd etc/kwintelvlak/standaard2.brd \
    share/man/man1/kwintelvlak.1.gz share/man/nl/man1/kwintelvlak.1.gz \
    share/doc/kwintelvlak/copyright share/doc/kwintelvlak/changelog.gz \
    share/metainfo/org.example.kwintelvlak.metainfo.xml; do
    [ -f "$werk/prefix/$f" ] || fout "$f ontbreekt"
done
# The whole prefix moves as one: no link points outside it.
while IFS= read -r link; do
    [ -e "$link" ] || fout "verwijzing $link wijst naar niets"
    case "$(readlink -f "$link")" in "$werk/prefix/"*) ;; *) fout "verwijzing $link wijst buiten de prefix" ;; esac
done < <(find "$werk/prefix" -type l)

# ---- Start as a new user ---------------------------------------------------------------
mkdir -p "$werk/thuis" "$werk/borden"
cd "$werk/thuis"
stap "starten"
HOME="$werk/thuis" XDG_CONFIG_HOME="$werk/thuis/.config" QT_QPA_PLATFORM=xcb \
    "$programma" >"$werk/programma.out" 2>"$werk/programma.err" &
pid=$!

wacht() { # wacht SECONDEN COMMANDO...: until the command succeeds
    local tot=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $tot ] && return 1
        sleep 0.1
    done
}
venster=""
zoek_venster() { venster=$(xdotool search --onlyvisible --name '^Kwintelvlak$' 2>/dev/null | head -1); [ -n "$venster" ]; }
wacht 20 zoek_venster || fout "het hoofdvenster verschijnt niet"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$venster")"
# The board is the window's client area under the menu bar: 720 x 576.
[ "$WIDTH" = 720 ] || fout "venster is $WIDTH breed"
bx=$X
by=$((Y + HEIGHT - 576))
echo "bord op ($bx, $by)"

source "$bron/scripts/aanwijzer.sh"
verwacht_kleur() { # verwacht_kleur X Y #RRGGBB WHAT
    local k
    for _ in $(seq 80); do
        k=$(kleur "$1" "$2")
        [ "$k" = "$3" ] && return 0
        sleep 0.1
    done
    fout "$4: kleur $k op ($1, $2), verwacht $3"
}

# ---- An empty board, then three modules from the menus -------------------------------
stap "Nieuw"
toets ctrl+n
stap "drukschakelaar, invertor en LED uit de menu's"
zet_schakeling
# An unwired LED is dark.
verwacht_kleur 668 132 "$LED_UIT" "LED zonder draad"

# ---- Wires: drag from an output to an input ---------------------------------------------
stap "draden"
bedraad_schakeling
# The inverter with nothing high at its input lights the LED.
verwacht_kleur 668 132 "$LED_AAN" "LED met invertor"
# The wire is drawn in red between the terminals.
[ "$(kleur 252 144)" = "#FF0000" ] || fout "geen rode draad tussen drukschakelaar en invertor"

stap "de knop indrukken met de muis"
wijs 64 132
xdotool mousedown 1
verwacht_kleur 668 132 "$LED_UIT" "LED met ingedrukte knop"
xdotool mouseup 1
verwacht_kleur 668 132 "$LED_AAN" "LED na loslaten"

# ---- Help --------------------------------------------------------------------------------
stap "help (F1)"
toets F1
zoek_help() { xdotool search --onlyvisible --name '^Kwintelvlak Help' >/dev/null 2>&1; }
wacht 10 zoek_help || fout "het helpvenster verschijnt niet"
help=$(xdotool search --onlyvisible --name '^Kwintelvlak Help' | head -1)
xdotool windowunmap --sync "$help" 2>/dev/null || true
sleep 0.3

# ---- Save, clear, open, save again ------------------------------------------------------
dialoog() { # dialoog PATH: types a path into the open file dialog and confirms
    local d=""
    for _ in $(seq 100); do
        d=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$d" ] && break
        sleep 0.1
    done
    [ -n "$d" ] || fout "het venster \"$1\" verschijnt niet"
    sleep 0.3
    xdotool windowfocus --sync "$d" 2>/dev/null || true
    xdotool type --delay 5 "$2"
    sleep 0.2
    xdotool key Return
    # Wait for the dialog to go; the list of matching names that it showed
    # while typing may stay up without a window manager, so a click on an
    # empty spot of the board closes it, as a user would.
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || break
        sleep 0.1
    done
    klik 700 560
}
stap "opslaan als"
toets ctrl+s
dialoog '^Opslaan als$' "$werk/borden/schakeling.brd"
wacht 10 test -s "$werk/borden/schakeling.brd" || fout "het bord is niet opgeslagen"

stap "Nieuw"
toets alt+b n
verwacht_kleur 668 132 "$(kleur 700 500)" "na Nieuw staat er nog een LED"

stap "openen"
toets ctrl+o
dialoog '^Openen$' "$werk/borden/schakeling.brd"
verwacht_kleur 668 132 "$LED_AAN" "LED na openen"

stap "nog eens opslaan en vergelijken"
toets ctrl+s
dialoog '^Opslaan als$' "$werk/borden/opnieuw.brd"
wacht 10 test -s "$werk/borden/opnieuw.brd" || fout "het bord is de tweede keer niet opgeslagen"
cmp "$werk/borden/schakeling.brd" "$werk/borden/opnieuw.brd" || fout "de bestanden verschillen"
# The Windows build, given the same actions, must write these very bytes
# (scripts/windows_e2e.sh compares with the same file).
cmp "$werk/borden/schakeling.brd" "$bron/tests/e2e/schakeling.brd" ||
    fout "het bord verschilt van tests/e2e/schakeling.brd"
echo "bord:"
cat -A "$werk/borden/schakeling.brd"

# ---- Close through the menu ---------------------------------------------------------------
stap "afsluiten"
toets alt+b a
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fout "het programma sluit niet af"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fout "eindstatus $status"
echo "geslaagd"
