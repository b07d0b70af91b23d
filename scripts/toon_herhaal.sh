#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Starts and stops the program many times while its buzzer sounds and its
# microphone records, and counts every run that did not end cleanly: a crash
# (killed by a signal), a hang, or a non-zero exit status. Proves that
# shutting down with sound playing and being captured is safe.
#
#   scripts/toon_herhaal.sh PROGRAM [BOARDFILE] [RUNS]
#   scripts/toon_herhaal.sh --maak-bord FILE
#
#   PROGRAM    build/programma/kwintelvlak with a board file whose buzzer
#              sounds (a variable voltage at 5,0 V wired to a buzzer) and
#              whose sound sensor makes the microphone record, or
#              build/bench/kwintel_toon_proef, which builds that board itself
#              and quits on its own.
#   BOARDFILE  passed as the program's first argument; "" for none.
#   RUNS       how many runs, 200 when not given.
#
# --maak-bord writes such a board file (CR LF line ends):
#   EKWINTELVLAK V1.5|1
#   10|10|3|1|1|14|1|1|50|
#   10|300|14|1|0|
#   100|10|15|1|0|
#
# Environment: SPEELTIJD (seconds the tone plays before the window is closed,
# default 0.6), TOON_LOG (directory for each run's output), GELUID_VEREIST=1
# (fail unless at least half the runs were seen both playing and recording).
#
# Needs Xvfb (started when DISPLAY is not set), pulseaudio (a server with a
# null sink is started when none answers) and xdotool (closes the window
# through the menu "Bestand" > "Afsluiten" when the program does not quit by
# itself).
set -u

if [ "${1:-}" = "--maak-bord" ]; then
    printf 'EKWINTELVLAK V1.5|1\r\n10|10|3|1|1|14|1|1|50|\r\n10|300|14|1|0|\r\n100|10|15|1|0|\r\n' \
        >"${2:?"gebruik: $0 --maak-bord BESTAND"}"
    exit 0
fi

programma=${1:?"gebruik: $0 PROGRAMMA [BORDBESTAND] [AANTAL]"}
bord=${2:-}
aantal=${3:-200}
speeltijd=${SPEELTIJD:-0.6}
log=${TOON_LOG:-$(mktemp -d /tmp/toon_herhaal.XXXXXX)}
mkdir -p "$log"

xvfb_pid=""
pulse_gestart=0
opruimen() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ "$pulse_gestart" = 1 ] && pulseaudio -k 2>/dev/null
}
trap opruimen EXIT

# ---- An X server -------------------------------------------------------------
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log/xvfb.log" 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        break
    done
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
fi
export QT_QPA_PLATFORM=xcb

# ---- A sound server --------------------------------------------------------------
if ! pactl info >/dev/null 2>&1; then
    pulseaudio -D --exit-idle-time=-1 --system=false -n \
        --load="module-null-sink sink_name=kwintel_stil" \
        --load="module-native-protocol-unix" >"$log/pulseaudio.log" 2>&1
    pulse_gestart=1
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || echo "let op: geen geluidsserver; de toon blijft stil" >&2
fi

speelt() {
    pactl list sink-inputs 2>/dev/null | grep -q 'application.name = "Kwintelvlak"'
}

# Recording, not merely holding a paused stream (the board's sound sensor
# makes it take sound in).
neemtOp() {
    LC_ALL=C pactl list source-outputs 2>/dev/null |
        awk -v RS= '/application.name = "Kwintelvlak"/ && /Corked: no/ { f = 1 } END { exit !f }'
}

sluit() {
    local wid
    wid=$(xdotool search --onlyvisible --pid "$1" --name Kwintelvlak 2>/dev/null | head -1)
    [ -z "$wid" ] && return
    xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key --clearmodifiers alt+b 2>/dev/null
    sleep 0.2
    xdotool key a 2>/dev/null
}

goed=0
crashes=0
hangers=0
fouten=0
met_toon=0
met_opname=0
met_meldingen=0
stappen=$(awk "BEGIN { print int($speeltijd / 0.05) }")

for i in $(seq 1 "$aantal"); do
    if [ -n "$bord" ]; then
        "$programma" "$bord" >"$log/run$i.out" 2>"$log/run$i.err" &
    else
        "$programma" >"$log/run$i.out" 2>"$log/run$i.err" &
    fi
    pid=$!
    toon=0
    opname=0
    for _ in $(seq "$stappen"); do
        kill -0 "$pid" 2>/dev/null || break
        [ "$toon" = 0 ] && speelt && toon=1
        [ "$opname" = 0 ] && neemtOp && opname=1
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && sluit "$pid"
    hangt=1
    for _ in $(seq 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            hangt=0
            break
        fi
        sleep 0.1
    done
    if [ "$hangt" = 1 ]; then
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        hangers=$((hangers + 1))
        echo "run $i: hangt, afgebroken"
        continue
    fi
    wait "$pid"
    status=$?
    grep -q '^toon: gespeeld' "$log/run$i.out" && toon=1
    [ "$toon" = 1 ] && met_toon=$((met_toon + 1))
    [ "$opname" = 1 ] && met_opname=$((met_opname + 1))
    # Anything on stderr besides Qt's note about XDG_RUNTIME_DIR.
    if grep -v 'XDG_RUNTIME_DIR' "$log/run$i.err" | grep -q .; then
        met_meldingen=$((met_meldingen + 1))
    fi
    if [ "$status" = 0 ]; then
        goed=$((goed + 1))
    elif [ "$status" -gt 128 ]; then
        crashes=$((crashes + 1))
        echo "run $i: gecrasht met signaal $((status - 128))"
    else
        fouten=$((fouten + 1))
        echo "run $i: eindstatus $status"
    fi
done

echo "runs=$aantal goed=$goed crashes=$crashes hangers=$hangers fouten=$fouten" \
    "met_toon=$met_toon met_opname=$met_opname met_meldingen_op_stderr=$met_meldingen (logs: $log)"
if [ "${GELUID_VEREIST:-0}" = 1 ] &&
    { [ $((met_toon * 2)) -lt "$aantal" ] || [ $((met_opname * 2)) -lt "$aantal" ]; }; then
    echo "te weinig runs met toon en opname" >&2
    exit 1
fi
[ "$crashes" = 0 ] && [ "$hangers" = 0 ] && [ "$fouten" = 0 ]
