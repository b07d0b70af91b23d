#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# What a beeping buzzer costs the running program. Each run starts, at the
# same time, four programs that measure their own threads' CPU time from
# /proc/self/task/*/schedstat over the same seconds:
#   a 1 Hz pulse generator wired to a buzzer, with a private sound server and
#   without any (the tone then never reaches a stream), and the same two with
#   the generator at 10 Hz.
# Per run it prints what the sound server adds at 1 Hz and at 10 Hz, and at
# the end the median, smallest and largest of those over all runs.
#
#   scripts/cpu_zoemer.sh [BUILD_DIR] [SECONDS] [RUNS]
#
# Defaults: build, 30 s, 5 runs. GELUIDSSERVER_LOG=debug keeps the server's
# log with every underrun in the folder named at the end.
#
# Needs xvfb-run and pulseaudio (scripts/geluidsserver.sh).
set -u
cd "$(dirname "$0")/.."
build=${1:-build}
seconden=${2:-30}
runs=${3:-5}
meting="$build/bench/kwintel_cpu_meting"
map=$(mktemp -d /tmp/kwintel_cpu_zoemer.XXXXXX)
trap 'bash scripts/geluidsserver.sh stop "$map/server"' EXIT

procent() { # the share of a core that a measurement printed
    sed -n 's/.*schedstat: .* = \([0-9.]*\) %.*/\1/p' "$1"
}

for run in $(seq "$runs"); do
    bash scripts/geluidsserver.sh start "$map/server" || exit 1
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
        for hz in 1 10; do
            QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:$map/server/native \
                $meting $seconden zoemer \$hz >$map/met\$hz 2>/dev/null &
            QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:$map/nergens/native \
                $meting $seconden zoemer \$hz >$map/zonder\$hz 2>/dev/null &
        done
        wait"
    [ "${GELUIDSSERVER_LOG:-}" ] && cp "$map/server/server.log" "$map/server$run.log"
    bash scripts/geluidsserver.sh stop "$map/server"
    regel="run $run:"
    for hz in 1 10; do
        met=$(procent "$map/met$hz")
        zonder=$(procent "$map/zonder$hz")
        grep -q "met geluidsserver" "$map/met$hz" || { echo "run $run: $hz Hz kreeg geen geluidsserver" >&2; cat "$map/met$hz" >&2; exit 1; }
        verschil=$(awk -v a="$met" -v b="$zonder" 'BEGIN { printf "%.3f", a - b }')
        echo "$verschil" >>"$map/verschil$hz"
        regel="$regel $hz Hz: $met % met server, $zonder % zonder, verschil $verschil %;"
    done
    echo "$regel"
done
for hz in 1 10; do
    sort -g "$map/verschil$hz" | awk -v hz="$hz" -v n="$runs" '
        { v[NR] = $1 }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%s Hz naar zoemer, wat de geluidsserver kost over %d runs: mediaan %.3f %%, kleinste %.3f %%, grootste %.3f %% van een kern\n", hz, n, m, v[1], v[NR]
        }'
done
echo "(metingen in $map)"
trap - EXIT
