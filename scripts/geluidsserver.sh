#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# A private PulseAudio server for tests: a null sink as the speaker
# ("kwintel_luidspreker"), a null sink that feeds the microphone
# ("kwintel_voeding"), and as default source a copy of that feed's monitor
# ("kwintel_microfoon"). Whatever is played into kwintel_voeding is what the
# program hears.
#
#   scripts/geluidsserver.sh start DIR   starts it; its socket is DIR/native
#   scripts/geluidsserver.sh stop DIR    stops it and removes DIR
#
# Exit status 77 when the server cannot run here (1 with CI=true).
#
# GELUIDSSERVER_LOG=debug makes DIR/server.log name every underrun of a
# stream. Then use PULSE_SERVER=unix:DIR/native. Works as root: HOME and
# XDG_RUNTIME_DIR point into DIR (mode 0700), and anonymous clients are
# allowed on the socket.
set -u
# A server that cannot run is a failure in CI (CI=true) and a skip (77, which
# ctest reports as skipped) elsewhere.
if [ "${CI:-}" = true ]; then kan_niet=1; else kan_niet=77; fi
actie=${1:?"gebruik: $0 start|stop MAP"}
map=${2:?"gebruik: $0 start|stop MAP"}

stoppen() {
    if [ -f "$map/pid" ]; then
        pid=$(cat "$map/pid")
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -rf "$map"
}

case "$actie" in
start)
    command -v pulseaudio >/dev/null || { echo "pulseaudio ontbreekt" >&2; exit "$kan_niet"; }
    # A server left behind by an interrupted run goes first.
    stoppen
    mkdir -p "$map/home" "$map/run"
    chmod 0700 "$map" "$map/home" "$map/run"
    cat >"$map/server.pa" <<PA
load-module module-native-protocol-unix socket=$map/native auth-anonymous=1
load-module module-null-sink sink_name=kwintel_luidspreker
load-module module-null-sink sink_name=kwintel_voeding
load-module module-remap-source source_name=kwintel_microfoon master=kwintel_voeding.monitor
set-default-sink kwintel_luidspreker
set-default-source kwintel_microfoon
PA
    HOME="$map/home" XDG_RUNTIME_DIR="$map/run" \
        setsid pulseaudio --daemonize=no -n -F "$map/server.pa" --exit-idle-time=-1 \
        --disallow-exit --system=false --use-pid-file=no --log-target=file:"$map/server.log" --log-level="${GELUIDSSERVER_LOG:-notice}" --log-time=1 \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$map/pid"
    for _ in $(seq 100); do
        PULSE_SERVER="unix:$map/native" pactl info >/dev/null 2>&1 && exit 0
        sleep 0.1
    done
    echo "de geluidsserver kwam niet op; zie $map/server.log" >&2
    exit "$kan_niet"
    ;;
stop)
    stoppen
    exit 0
    ;;
*)
    echo "gebruik: $0 start|stop MAP" >&2
    exit 2
    ;;
esac
