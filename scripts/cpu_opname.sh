#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# What recording from the microphone costs the running program: three
# programs side by side in one run, each measuring its own threads' CPU time
# from /proc/self/task/*/schedstat:
#   1. the board (1 Hz pulse generator blinking an LED) while it records from
#      a private sound server,
#   2. the same board without a sound server (nothing recorded),
#   3. a bare Qt window ticking a precise 10 ms timer.
#
#   scripts/cpu_opname.sh [BUILD_DIR] [SECONDS] [toon] [geluidsensor]
#
# With "toon" programs 1 and 2 also open the buzzer's tone stream (one beep
# at start, then silence). With "geluidsensor" a sound sensor stands on their
# boards as well: the microphone is taken in only while one is there.
#
# Needs xvfb-run and pulseaudio (scripts/geluidsserver.sh).
set -u
cd "$(dirname "$0")/.."
build=${1:-build}
seconden=${2:-30}
soort="${3:-} ${4:-}"
meting="$build/bench/kwintel_cpu_meting"
map=$(mktemp -d /tmp/kwintel_cpu.XXXXXX)
trap 'bash scripts/geluidsserver.sh stop "$map/server"' EXIT
bash scripts/geluidsserver.sh start "$map/server" || exit 1

xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
    QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:$map/server/native $meting $seconden $soort >$map/met 2>/dev/null &
    QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:/nonexistent/native $meting $seconden $soort >$map/zonder 2>/dev/null &
    QT_QPA_PLATFORM=xcb $meting $seconden kaal >$map/kaal 2>/dev/null &
    wait"
for f in met zonder kaal; do
    cat "$map/$f"
done
