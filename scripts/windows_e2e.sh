#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The Windows program tried as a school would use it, under Wine on a real X
# server with a real pointer (xdotool), in a Wine prefix of its own (a new
# PC):
#   - the portable folder as from a USB stick: the window's board is
#     720 x 576; a push button, an inverter and an LED taken from the menus,
#     placed and wired with the pointer, and the key pressed, light and dim
#     the LED (read from the screen); "Opslaan als" writes the same bytes as
#     the Linux build for the same board; an example plug-in from its DLL is
#     taken from "Zwenkel" and shows its face; F1 opens Windows' help viewer
#     on kwintel.chm; the board opens from the command line by its Windows
#     path; with no sound device the sound sensor sends 0 and nothing fails;
#     the teachers' console twin prints its TAP and gives its exit status;
#   - the installer, silent (/S), for all users and for one user: the program
#     folder, the shortcuts, the ".brd" file type (a board "double-clicked"
#     through the shell opens in the installed program), then the uninstaller:
#     what it installed is gone, a pupil's board is left.
#
#   scripts/windows_e2e.sh BUILD_FOLDER VERSION
#
# Run under xvfb-run with -noreset (scripts/windows.sh --test does). Prints one
# line per check and "N passed, N failed" at the end.
set -uo pipefail

bron=$(cd "$(dirname "$0")/.." && pwd)
bouw=$(cd "${1:?"gebruik: $0 BOUWMAP VERSIE"}" && pwd)
versie=${2:?"gebruik: $0 BOUWMAP VERSIE"}
map=$bouw/kwintelvlak-$versie
setup=$bouw/kwintelvlak-$versie-setup.exe
werk=$(mktemp -d /tmp/windows_e2e.XXXXXX)

export WINEPREFIX=$werk/wine WINEDEBUG=-all
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
# No crash dialogs and no web engine to install: a failure ends the program.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
wine() { /usr/lib/wine/wine64 "$@"; }

geslaagd=0
gezakt=0
pid=""
opruimen() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    if [ "${BEWAAR:-}" = 1 ]; then echo "# bewaard: $werk"; else rm -rf "$werk"; fi
}
trap opruimen EXIT
ok() { geslaagd=$((geslaagd + 1)); echo "ok - $*"; }
niet_ok() {
    gezakt=$((gezakt + 1))
    echo "not ok - $*"
    local n
    n=$werk/scherm-$gezakt.png
    import -window root "$n" 2>/dev/null && echo "# scherm: $n"
    BEWAAR=1
}
controleer() { # controleer DESCRIPTION COMMAND...
    local wat=$1
    shift
    if "$@"; then ok "$wat"; else niet_ok "$wat"; fi
}
stap() { echo "# == $*"; }
wacht() { # wacht SECONDS COMMAND...: until the command succeeds
    local tot=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $tot ] && return 1
        sleep 0.2
    done
}
windows_pad() { echo "Z:${1//\//\\}"; }

stap "een nieuwe Wine-omgeving"
wine wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver64 -p 2>/dev/null
c=$WINEPREFIX/drive_c
gebruiker=$(ls "$c/users" | grep -v -x -e Public | head -1)
documenten=$c/users/$gebruiker/Documents
mkdir -p "$documenten"

# ---- The program window ---------------------------------------------------------------
venster=""
zoek_venster() { venster=$(xdotool search --onlyvisible --name '^Kwintelvlak$' 2>/dev/null | head -1); [ -n "$venster" ]; }
bx=0
by=0
# Boards a run left unsaved are offered again at the next start; each run here
# starts without them (the recovery file's place is checked above).
geen_herstel() { rm -rf "$c/users/$gebruiker/AppData/Local/Kwintelvlak/herstel"; }
start() { # start WORKING_FOLDER PROGRAM ARGUMENTS...: starts it and finds its board
    local cwd=$1
    shift
    geen_herstel
    (cd "$cwd" && exec /usr/lib/wine/wine64 "$@" >"$werk/programma.out" 2>"$werk/programma.err") &
    pid=$!
    if ! wacht 60 zoek_venster; then
        niet_ok "het hoofdvenster verschijnt"
        return 1
    fi
    sleep 1
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$venster")"
    # The board is the window's client area under the menu bar.
    bx=$X
    by=$((Y + HEIGHT - 576))
    klantbreedte=$WIDTH
    return 0
}
sluit() { # closes the program through its menu and checks its exit status
    toets alt+b a
    local tot=$((SECONDS + 20))
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $tot ]; do sleep 0.2; done
    if kill -0 "$pid" 2>/dev/null; then
        niet_ok "het programma sluit af"
        kill "$pid"
    else
        local s=0
        wait "$pid" || s=$?
        controleer "het programma sluit af met status 0 (was $s)" [ "$s" = 0 ]
    fi
    pid=""
}
pauze=0.4
source "$bron/scripts/aanwijzer.sh"
is_kleur() { # is_kleur X Y #RRGGBB: within a few seconds
    local k=""
    for _ in $(seq 40); do
        k=$(kleur "$1" "$2")
        [ "$k" = "$3" ] && return 0
        sleep 0.1
    done
    echo "# kleur $k op ($1, $2), verwacht $3"
    return 1
}

# ---- The portable folder, as from a USB stick ---------------------------------------------
stap "de draagbare map"
usb=$c/usb
mkdir -p "$usb"
cp -r "$map" "$usb/kwintelvlak"
programma=$usb/kwintelvlak/kwintelvlak.exe
for f in kwintelvlak.exe kwintelvlak-toets.exe kwintel.chm standaard.brd standaard2.brd \
    xof.dll klok.dll doorgeven.dll COPYING.txt LEESMIJ.txt zwenkels-maken/kwintel_plugin.h; do
    controleer "$f staat in de programmamap" test -f "$usb/kwintelvlak/$f"
done
# Nothing but Windows' own DLLs beside the program: no Qt or MinGW run-time.
dlls=$(x86_64-w64-mingw32-objdump -p "$programma" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
echo "# kwintelvlak.exe vraagt: $dlls"
controleer "het programma vraagt alleen DLL's van Windows" \
    bash -c '! grep -q -E "qt6|libstdc|libgcc|libwinpthread" <<<"$1"' _ "$dlls"

if start "$documenten" "$programma"; then
    controleer "het bord is 720 breed (venster $klantbreedte)" [ "$klantbreedte" = 720 ]
    stap "Nieuw, drukschakelaar, invertor en LED uit de menu's"
    toets ctrl+n
    zet_schakeling
    controleer "een LED zonder draad is donker" is_kleur 668 132 "$LED_UIT"
    bedraad_schakeling
    controleer "de invertor laat de LED branden" is_kleur 668 132 "$LED_AAN"
    controleer "de draad is rood" is_kleur 252 144 "#FF0000"
    wijs 64 132
    xdotool mousedown 1
    controleer "de ingedrukte knop dooft de LED" is_kleur 668 132 "$LED_UIT"
    xdotool mouseup 1
    controleer "losgelaten brandt de LED weer" is_kleur 668 132 "$LED_AAN"
    # The unsaved board is kept for recovery in the user's AppData\Local.
    herstel=$c/users/$gebruiker/AppData/Local/Kwintelvlak/herstel
    controleer "het herstelbestand staat in AppData\\Local\\Kwintelvlak" \
        wacht 10 bash -c 'compgen -G "$1/herstel-*_*.brd" >/dev/null' _ "$herstel"

    stap "opslaan als"
    mkdir -p "$c/borden"
    toets ctrl+s
    dialoog=""
    zoek_dialoog() { dialoog=$(xdotool search --onlyvisible --name '^Opslaan als$' 2>/dev/null | head -1); [ -n "$dialoog" ]; }
    if wacht 20 zoek_dialoog; then
        sleep 1
        xdotool windowfocus --sync "$dialoog" 2>/dev/null || true
        xdotool type --delay 20 'C:\borden\schakeling.brd'
        sleep 0.3
        xdotool key Return
        wacht 20 test -s "$c/borden/schakeling.brd"
        controleer "het bord is opgeslagen, byte voor byte als op Linux" \
            cmp "$c/borden/schakeling.brd" "$bron/tests/e2e/schakeling.brd"
    else
        niet_ok "de dialoog \"Opslaan als\" verschijnt"
    fi

    stap "een voorbeeldzwenkel uit het menu Zwenkel"
    # Invoer, Verwerking, Uitvoer, Zwenkel: the plug-ins in name order,
    # doorgeven first, then klok, then xof.
    wijs 360 300
    toets alt+i Right Right Right Down Down Return
    wijs 60 320
    klik 40 300
    import -window root -crop 80x80+$((bx + 40))+$((by + 300)) "$werk/zwenkel.png" 2>/dev/null
    # The face: the module colour (as the push button's panel shows it) with
    # the library's black drawing on it.
    modulekleur=$(kleur 48 104)
    inkt=$(convert "$werk/zwenkel.png" -fill white +opaque black -fill black -opaque black \
        -format '%[fx:round(w*h*(1-mean))]' info:)
    vlak=$(convert "$werk/zwenkel.png" -fill black +opaque "$modulekleur" -format '%[fx:round(w*h*mean)]' info:)
    echo "# zwenkel: $inkt pixels inkt, $vlak pixels in de modulekleur $modulekleur"
    controleer "de zwenkel xof tekent zijn gezicht" [ "$inkt" -gt 20 -a "$vlak" -gt 500 ]

    stap "help (F1)"
    toets F1
    zoek_help() { xdotool search --onlyvisible --name '^Kwintelvlak Help' >/dev/null 2>&1; }
    controleer "F1 opent de helpviewer van Windows op kwintel.chm" wacht 30 zoek_help
    # Closed as a user closes it (Alt+F4 in the viewer), so the program's
    # window has the keyboard again.
    help=$(xdotool search --onlyvisible --name '^Kwintelvlak Help' 2>/dev/null | head -1)
    if [ -n "$help" ]; then
        xdotool windowfocus --sync "$help" 2>/dev/null || true
        xdotool key --clearmodifiers alt+F4
        controleer "de helpviewer sluit met Alt+F4" wacht 10 bash -c '! xdotool search --onlyvisible --name "^Kwintelvlak Help" >/dev/null 2>&1'
    fi
    sluit
fi

stap "een bord van de opdrachtregel, met een Windows-pad"
if start "$documenten" "$programma" 'C:\borden\schakeling.brd'; then
    controleer "het bord van de opdrachtregel is open: de LED brandt" is_kleur 668 132 "$LED_AAN"
    sluit
fi

stap "geluidsensor zonder geluidsapparaat"
cp "$bron/tests/e2e/geluidsensor.brd" "$c/borden/"
if WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv,wineoss.drv=d" \
    start "$documenten" "$programma" 'C:\borden\geluidsensor.brd'; then
    # The sensor feeds an inverter that feeds an LED: without sound the
    # sensor sends 0, so the LED lights, and no message comes.
    controleer "de geluidsensor geeft 0: de LED achter de invertor brandt" is_kleur 668 132 "$LED_AAN"
    sleep 2
    controleer "geen melding" bash -c '[ "$(xdotool search --onlyvisible --name "." 2>/dev/null | wc -l)" -le 2 ]'
    sluit
fi

stap "nakijken in de opdrachtprompt"
voorbeeld=$bron/examples/drukknop_en_teller
cp "$voorbeeld"/* "$c/borden/"
(cd "$c/borden" && wine "$usb/kwintelvlak/kwintelvlak-toets.exe" --toets opdracht.txt \
    leerling_goed.brd >"$werk/goed.tap" 2>"$werk/goed.err")
s=$?
controleer "een goed bord: status 0 (was $s)" [ "$s" = 0 ]
controleer "de TAP komt op de console" grep -q '^ok 1 - leerling_goed.brd' "$werk/goed.tap"
(cd "$c/borden" && wine "$usb/kwintelvlak/kwintelvlak-toets.exe" --toets opdracht.txt \
    leerling_fout.brd >"$werk/fout.tap" 2>&1)
s=$?
controleer "een fout bord: status 1 (was $s)" [ "$s" = 1 ]
wine "$usb/kwintelvlak/kwintelvlak-toets.exe" --help >"$werk/help.txt" 2>&1
controleer "--help is UTF-8 met Unix-regeleinden" \
    bash -c 'iconv -f UTF-8 -t UTF-8 "$1" >/dev/null && ! grep -q $'"'"'\r'"'"' "$1" && grep -q -- "--toets" "$1"' _ "$werk/help.txt"

# ---- The installer -------------------------------------------------------------------------
installeer_en_verwijder() { # installeer_en_verwijder MODE FOLDER START_MENU DESKTOP KEY
    local modus=$1 inst=$2 menu=$3 bureaublad=$4 sleutel=$5
    stap "installeren ($modus)"
    wine "$setup" /S "/$modus"
    local s=$?
    controleer "setup /S /$modus: status 0 (was $s)" [ "$s" = 0 ]
    for f in kwintelvlak.exe kwintelvlak-toets.exe kwintel.chm standaard.brd xof.dll Verwijderen.exe; do
        controleer "$f geïnstalleerd" test -f "$inst/$f"
    done
    controleer "snelkoppeling in het startmenu" test -f "$menu/Kwintelvlak.lnk"
    controleer "snelkoppeling op het bureaublad" test -f "$bureaublad/Kwintelvlak.lnk"
    controleer ".brd hoort bij Kwintelvlak" \
        bash -c 'wine() { /usr/lib/wine/wine64 "$@"; }; wine reg query "$1\\Software\\Classes\\.brd" /ve 2>/dev/null | grep -q Kwintelvlak.Bord' _ "$sleutel"

    stap "een bord openen zoals een dubbelklik dat doet"
    cp "$bron/tests/e2e/schakeling.brd" "$documenten/les.brd"
    geen_herstel
    if [ "$sleutel" = HKCU ]; then
        # Windows merges the user's own file types (HKCU) into what its shell
        # reads; Wine's shell reads only the computer's (HKLM). So here the
        # registered command is run as the shell would run it.
        local opdracht exe
        opdracht=$(wine reg query 'HKCU\Software\Classes\Kwintelvlak.Bord\shell\open\command' /ve 2>/dev/null |
            sed -n 's/.*REG_SZ *//p' | tr -d '\r')
        exe=$(sed -n 's/^"\([^"]*kwintelvlak\.exe\)" "%1"$/\1/p' <<<"$opdracht")
        controleer "een .brd opent met \"...kwintelvlak.exe\" \"%1\" (is: $opdracht)" [ -n "$exe" ]
        (cd "$documenten" && exec /usr/lib/wine/wine64 "$exe" "$(windows_pad "$documenten/les.brd")") &
    else
        (cd "$documenten" && exec /usr/lib/wine/wine64 start /unix "$documenten/les.brd") &
    fi
    pid=""
    if wacht 60 zoek_venster; then
        sleep 1
        eval "$(xdotool getwindowgeometry --shell "$venster")"
        bx=$X
        by=$((Y + HEIGHT - 576))
        controleer "het geïnstalleerde programma opent het bord" is_kleur 668 132 "$LED_AAN"
        toets alt+b a
        if ! wacht 20 bash -c '! xdotool search --onlyvisible --name "^Kwintelvlak$" >/dev/null 2>&1'; then
            niet_ok "het geïnstalleerde programma sluit af"
            kill "$(xdotool getwindowpid "$venster" 2>/dev/null)" 2>/dev/null
            sleep 2
        fi
    else
        niet_ok "het geïnstalleerde programma start bij het openen van een bord"
    fi

    stap "verwijderen ($modus)"
    # A pupil saved a board into the program folder.
    cp "$bron/tests/e2e/schakeling.brd" "$inst/mijn bord.brd"
    wine "$inst/Verwijderen.exe" /S "/$modus"
    # The uninstaller runs on from a copy of itself; wait for it.
    wacht 60 bash -c '[ ! -e "$1/kwintelvlak.exe" ] && [ ! -e "$1/Verwijderen.exe" ]' _ "$inst"
    local over
    over=$(cd "$inst" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')
    echo "# over in de programmamap: $over"
    controleer "alleen het bord van de leerling blijft over" [ "$over" = "./mijn bord.brd " ]
    controleer "geen snelkoppelingen meer" \
        bash -c '[ ! -e "$1/Kwintelvlak.lnk" ] && [ ! -e "$2/Kwintelvlak.lnk" ]' _ "$menu" "$bureaublad"
    controleer ".brd hoort niet meer bij Kwintelvlak" \
        bash -c '! /usr/lib/wine/wine64 reg query "$1\\Software\\Classes\\Kwintelvlak.Bord" >/dev/null 2>&1' _ "$sleutel"
    rm -rf "$inst"
}
if [ -f "$setup" ]; then
    installeer_en_verwijder AllUsers "$c/Program Files/Kwintelvlak" \
        "$c/ProgramData/Microsoft/Windows/Start Menu/Programs" "$c/users/Public/Desktop" HKLM
    installeer_en_verwijder CurrentUser "$c/users/$gebruiker/AppData/Local/Programs/Kwintelvlak" \
        "$c/users/$gebruiker/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" \
        "$c/users/$gebruiker/Desktop" HKCU
else
    niet_ok "het installatieprogramma $setup bestaat"
fi

echo "e2e Windows: $geslaagd passed, $gezakt failed"
[ "$gezakt" = 0 ]
