#!/usr/bin/env bash
# The recovery file with the real program on a real X server: start it from
# an empty home folder, change the board (an LED from the menu, an option),
# wait for the recovery file, kill the program with SIGKILL, start it again
# with the same home folder, accept the question with Return and save the
# board through the dialog: the saved file must be the recovery file byte for
# byte. Then once more, answering Nee: the file must be gone and the
# standard board shown.
#
#   scripts/herstel_proef.sh PROGRAM
#
# Needs an X server in DISPLAY (run it under xvfb-run -a, with -noreset) and
# xdotool. ctest runs it as e2e/herstel.
set -euo pipefail

programma=$(readlink -f "${1:?"gebruik: $0 PROGRAMMA"}")
werk=$(mktemp -d /tmp/herstel_proef.XXXXXX)
pid=""
opruimen() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
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
mkdir -p "$thuis"
cd "$thuis"

venster=""
start() {
    HOME="$thuis" XDG_CONFIG_HOME="$thuis/.config" XDG_DATA_HOME="$thuis/.local/share" \
        QT_QPA_PLATFORM=xcb "$programma" >>"$werk/programma.out" 2>>"$werk/programma.err" &
    pid=$!
    zoek_venster() {
        venster=$(xdotool search --onlyvisible --pid "$pid" --name '^Kwintelvlak$' 2>/dev/null |
            head -1)
        [ -n "$venster" ]
    }
    wacht 20 zoek_venster || fout "het hoofdvenster verschijnt niet"
    sleep 0.5
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
toets() { xdotool windowfocus --sync "$venster" 2>/dev/null || true; xdotool key --clearmodifiers "$@"; sleep 0.3; }
herstelbestanden() { ls "$herstelmap"/herstel-*.brd 2>/dev/null || true; }

# ---- Change the board and crash ------------------------------------------------------
stap "starten en het bord veranderen"
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
een_bestand() { [ "$(herstelbestanden | wc -l)" = 1 ]; }
wacht 3 een_bestand || fout "geen herstelbestand na de wijzigingen"
sleep 1.5 # both changes written
eerste=$(herstelbestanden)
cp "$eerste" "$werk/verwacht.brd"
standaard="$(dirname "$programma")/standaard.brd"
[ "$(head -1 "$werk/verwacht.brd")" != "$(head -1 "$standaard")" ] ||
    fout "de optie staat niet in het herstelbestand"
[ "$(wc -l <"$werk/verwacht.brd")" = $(($(wc -l <"$standaard") + 1)) ] ||
    fout "de LED staat niet in het herstelbestand"
[ -f "${eerste%.brd}.lock" ] || fout "geen slot naast het herstelbestand"
stap "SIGKILL"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ -f "$eerste" ] || fout "het herstelbestand is weg na het afbreken"

# ---- Start again and say Ja ---------------------------------------------------------------
stap "opnieuw starten: Ja"
start
wacht 10 zoek_vraag || fout "de vraag verschijnt niet"
xdotool windowfocus --sync "$vraag" 2>/dev/null || true
xdotool key Return
vraag_weg() { ! zoek_vraag; }
wacht 10 vraag_weg || fout "de vraag blijft staan"
sleep 0.5
[ -f "$eerste" ] && fout "het oude herstelbestand is niet weggegooid"
wacht 3 een_bestand || fout "het teruggehaalde bord heeft geen eigen herstelbestand"
cmp "$(herstelbestanden)" "$werk/verwacht.brd" || fout "het nieuwe herstelbestand verschilt"

stap "opslaan als en vergelijken"
toets ctrl+s
d=""
zoek_dialoog() { d=$(xdotool search --onlyvisible --name '^Opslaan als$' 2>/dev/null | head -1); [ -n "$d" ]; }
wacht 10 zoek_dialoog || fout "de opslaan-dialoog verschijnt niet"
sleep 0.3
xdotool windowfocus --sync "$d" 2>/dev/null || true
xdotool type --delay 5 "$werk/terug.brd"
sleep 0.2
xdotool key Return
wacht 10 test -s "$werk/terug.brd" || fout "het bord is niet opgeslagen"
cmp "$werk/terug.brd" "$werk/verwacht.brd" || fout "het teruggehaalde bord verschilt van het verloren bord"
geen_bestand() { [ -z "$(herstelbestanden)" ]; }
wacht 3 geen_bestand || fout "het herstelbestand blijft na opslaan"

# ---- Once more, and say Nee ------------------------------------------------------------------
stap "nog een wijziging, SIGKILL, opnieuw starten: Nee"
toets alt+o t
wacht 3 een_bestand || fout "geen herstelbestand na de wijziging"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""
start
wacht 10 zoek_vraag || fout "de tweede vraag verschijnt niet"
xdotool windowfocus --sync "$vraag" 2>/dev/null || true
xdotool key Escape
wacht 10 vraag_weg || fout "de vraag blijft staan"
sleep 1
geen_bestand || fout "na Nee is er nog een herstelbestand"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
grep -v 'propagateSizeHints\|XDG_RUNTIME_DIR' "$werk/programma.err" >&2 || true
echo "gelukt"
