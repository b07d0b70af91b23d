#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The recovery files with the real program on a real X server, started from
# an empty home folder each time with the same home folder:
#  1. change the board, Nieuw (Ctrl+N), SIGKILL, start: the question comes,
#     Return brings the changed board back byte for byte, and it is saved
#     through the dialog;
#  2. open a board of the pupil's own, change it, "Nieuw standaardbord (1)",
#     SIGKILL, start, Ja: the save dialog starts at the pupil's file, and
#     saving there writes the recovered board;
#  3. change, Openen, change again, Nieuw, SIGKILL, start: two questions,
#     newest first; Nee to the first, Ja to the second brings back the first
#     board; closing through the menu keeps it (it was not saved);
#  4. 50 programs started together and killed together: the next start offers
#     the one board left, and afterwards no lock of theirs is left.
#
#   scripts/herstel_proef.sh PROGRAM
#
# Needs an X server in DISPLAY (run it under xvfb-run -a, with -noreset) and
# xdotool. ctest runs it as e2e/herstel.
set -euo pipefail

programma=$(readlink -f "${1:?"gebruik: $0 PROGRAMMA"}")
werk=$(mktemp -d /tmp/herstel_proef.XXXXXX)
pid=""
velen=()
opruimen() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    for p in "${velen[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    if [ "${BEWAAR:-}" = 1 ]; then echo "bewaard: $werk"; else rm -rf "$werk"; fi
}
trap opruimen EXIT
fout() {
    echo "FOUT: $*" >&2
    import -window root "$werk/fout.png" 2>/dev/null && echo "scherm: $werk/fout.png" >&2
    ls -l "$herstelmap" >&2 || true
    BEWAAR=1
    exit 1
}
stap() { echo "== $*"; }
wacht() { # wacht SECONDEN COMMANDO...: until the command succeeds
    local tot=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $tot ] && return 1
        sleep 0.1
    done
}

thuis="$werk/thuis"
herstelmap="$thuis/.local/share/Kwintelvlak/herstel"
mkdir -p "$thuis" "$werk/klas"
cd "$thuis"
omgeving=(env HOME="$thuis" XDG_CONFIG_HOME="$thuis/.config" XDG_DATA_HOME="$thuis/.local/share")

venster=""
start() {
    "${omgeving[@]}" QT_QPA_PLATFORM=xcb "$programma" >>"$werk/programma.out" \
        2>>"$werk/programma.err" &
    pid=$!
    zoek_venster() {
        venster=$(xdotool search --onlyvisible --pid "$pid" --name '^Kwintelvlak$' 2>/dev/null |
            head -1)
        [ -n "$venster" ]
    }
    wacht 20 zoek_venster || fout "het hoofdvenster verschijnt niet"
    sleep 0.5
}
afbreken() {
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}
# The question box: a second window of the program with the same title.
vraag=""
zoek_vraag() {
    vraag=""
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" --name '^Kwintelvlak$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" != 720 ] && vraag=$w
    done
    [ -n "$vraag" ]
}
beantwoord() { # beantwoord KEY: the question that is up
    wacht 10 zoek_vraag || fout "de vraag verschijnt niet"
    local oud=$vraag
    xdotool windowfocus --sync "$vraag" 2>/dev/null || true
    xdotool key "$1"
    # Gone, or the next question in its place.
    vraag_weg() { ! zoek_vraag || [ "$vraag" != "$oud" ]; }
    wacht 10 vraag_weg || fout "de vraag blijft staan"
    sleep 0.3
}
toets() { xdotool windowfocus --sync "$venster" 2>/dev/null || true; xdotool key --clearmodifiers "$@"; sleep 0.3; }
herstelbestanden() { ls "$herstelmap"/herstel-*.brd 2>/dev/null || true; }
sloten() { ls "$herstelmap"/*.lock 2>/dev/null || true; }
aantal() { [ "$(herstelbestanden | wc -l)" = "$1" ]; }
dialoog() { # dialoog TITLE PATH: types a path into the file dialog with that title
    local d=""
    zoek_dialoog() { d=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1); [ -n "$d" ]; }
    wacht 10 zoek_dialoog "$1" || fout "de dialoog $1 verschijnt niet"
    sleep 0.3
    xdotool windowfocus --sync "$d" 2>/dev/null || true
    [ -n "$2" ] && xdotool type --delay 5 "$2"
    sleep 0.2
    xdotool key Return
    # The list of matching names shown while typing may stay up without a
    # window manager: a click on the empty end of the menu bar closes it.
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || break
        sleep 0.1
    done
    xdotool mousemove --sync $((bx + 710)) $((by - 10)) click 1
    sleep 0.3
}
# Waits until the program's file of the board in the window holds it (the
# newest file), and copies it.
bewaar_nieuwste() {
    wacht 3 aantal "$1" || fout "geen herstelbestand na de wijziging ($2)"
    sleep 1.5 # every change written
    cp "$(ls -t "$herstelmap"/herstel-*.brd | head -1)" "$werk/$2"
}

# ---- 1. Change, Nieuw, SIGKILL -----------------------------------------------------------
stap "1. starten, het bord veranderen, Nieuw"
start
zoek_vraag && fout "een vraag zonder herstelbestand"
eval "$(xdotool getwindowgeometry --shell "$venster")"
bx=$X
by=$((Y + HEIGHT - 576))
toets alt+u l
xdotool mousemove --sync $((bx + 250)) $((by + 300))
sleep 0.2
xdotool click 1
sleep 0.3
toets alt+o t
bewaar_nieuwste 1 een.brd
standaard="$(dirname "$programma")/standaard.brd"
[ "$(head -1 "$werk/een.brd")" != "$(head -1 "$standaard")" ] ||
    fout "de optie staat niet in het herstelbestand"
[ "$(wc -l <"$werk/een.brd")" = $(($(wc -l <"$standaard") + 1)) ] ||
    fout "de LED staat niet in het herstelbestand"
[ "$(sloten | wc -l)" = 1 ] || fout "geen slot van het programma"
toets ctrl+n
sleep 1.5
aantal 1 || fout "na Nieuw is er niet precies een herstelbestand"
cmp "$(herstelbestanden)" "$werk/een.brd" || fout "Nieuw veranderde het herstelbestand"
eerste=$(herstelbestanden)
stap "SIGKILL, opnieuw starten: Return"
afbreken
start
beantwoord Return
[ -f "$eerste" ] && fout "het oude herstelbestand is niet weggegooid"
wacht 3 aantal 1 || fout "het teruggehaalde bord heeft geen eigen herstelbestand"
cmp "$(herstelbestanden)" "$werk/een.brd" || fout "het teruggehaalde bord verschilt"
een_slot() { [ "$(sloten | wc -l)" = 1 ]; }
wacht 3 een_slot || fout "het slot van het afgebroken programma bleef"
toets ctrl+s
dialoog '^Opslaan als$' "$werk/terug.brd"
wacht 10 test -s "$werk/terug.brd" || fout "het bord is niet opgeslagen"
cmp "$werk/terug.brd" "$werk/een.brd" || fout "het opgeslagen bord verschilt van het verloren bord"
wacht 3 aantal 0 || fout "het herstelbestand blijft na opslaan"

# ---- 2. An own board, a standard board, SIGKILL, saved back to its file ------------------
stap "2. eigen bord openen, veranderen, Nieuw standaardbord (1)"
cp "$(dirname "$programma")/standaard2.brd" "$werk/klas/les.brd"
toets ctrl+o
dialoog '^Openen$' "$werk/klas/les.brd"
toets alt+o t
bewaar_nieuwste 1 twee.brd
toets alt+b s
sleep 1.5
cmp "$(herstelbestanden)" "$werk/twee.brd" || fout "het standaardbord veranderde het herstelbestand"
afbreken
start
beantwoord Return
wacht 3 aantal 1 || fout "het teruggehaalde bord heeft geen eigen herstelbestand"
stap "opslaan: de dialoog begint bij les.brd"
toets ctrl+s
dialoog '^Opslaan als$' ""
sleep 0.5
xdotool key alt+j # "Het bestand ... bestaat al. Wil je het vervangen?"
wacht 5 cmp -s "$werk/klas/les.brd" "$werk/twee.brd" ||
    fout "het teruggehaalde bord is niet in zijn eigen bestand opgeslagen"
wacht 3 aantal 0 || fout "het herstelbestand blijft na opslaan"

# ---- 3. Openen and Nieuw: two boards left -------------------------------------------------
stap "3. veranderen, Openen, veranderen, Nieuw"
toets alt+o t
bewaar_nieuwste 1 drie.brd
toets ctrl+o
dialoog '^Openen$' "$werk/klas/les.brd"
toets alt+o l
bewaar_nieuwste 2 vier.brd
toets ctrl+n
sleep 1
cmp -s "$werk/drie.brd" "$werk/vier.brd" && fout "twee keer hetzelfde bord"
afbreken
start
beantwoord Escape # the newest: the second board
beantwoord Return # then the first
sleep 1
wacht 3 aantal 1 || fout "na Nee en Ja is er niet precies een herstelbestand"
cmp "$(herstelbestanden)" "$werk/drie.brd" || fout "Ja bij de tweede vraag gaf niet het eerste bord"
toets alt+b a
wacht 10 bash -c "! kill -0 $pid 2>/dev/null" || fout "het programma sluit niet af"
wait "$pid" 2>/dev/null || true
pid=""
aantal 1 || fout "afsluiten liet het niet opgeslagen bord niet staan"
[ -z "$(sloten)" ] || fout "afsluiten liet een slot staan"

# ---- 4. Fifty programs killed -------------------------------------------------------------
stap "4. 50 programma's tegelijk, allemaal SIGKILL"
for _ in $(seq 50); do
    "${omgeving[@]}" QT_QPA_PLATFORM=offscreen "$programma" >/dev/null 2>&1 &
    velen+=($!)
done
vijftig() { [ "$(sloten | wc -l)" -ge 51 ]; } # one took over the lock of the board left
wacht 120 vijftig || fout "de 50 programma's maken geen slot ($(sloten | wc -l))"
sleep 1
{
    kill -9 "${velen[@]}"
    wait "${velen[@]}" || true
} 2>/dev/null
velen=()
echo "achtergebleven sloten: $(sloten | wc -l), borden: $(herstelbestanden | wc -l)"
start
beantwoord Escape
zoek_vraag && fout "een tweede vraag"
sleep 1
wacht 3 een_slot || fout "na de schone start staan er nog $(sloten | wc -l) sloten"
aantal 0 || fout "het aangeboden bord is niet opgeruimd"
toets alt+b a
wacht 10 bash -c "! kill -0 $pid 2>/dev/null" || fout "het programma sluit niet af"
pid=""
[ -z "$(ls -A "$herstelmap")" ] || fout "de map is niet leeg: $(ls "$herstelmap")"
grep -v 'propagateSizeHints\|XDG_RUNTIME_DIR\|geluidsserver' "$werk/programma.err" >&2 || true
echo "gelukt"
