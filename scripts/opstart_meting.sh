#!/usr/bin/env bash
# Start-up of the real program against a bare Qt window of the same size, in
# the same run: the time from launch until the main window is mapped, and the
# resident memory one second later, each the median of several runs, taken in
# turns so that both see the same machine.
#
#   scripts/opstart_meting.sh PROGRAM BARE_WINDOW [RUNS]
#
#   PROGRAM      build/programma/kwintelvlak (or an installed one); it starts
#                as a user starts it, with the standard board, the help file and
#                the plug-ins beside it.
#   BARE_WINDOW  build/bench/kwintel_kaal_venster
#   RUNS         runs of each, 5 when not given
#
# Runs itself under xvfb-run when DISPLAY is not set. The window is found by polling
# xdotool, which adds a few milliseconds to both sides alike.
set -euo pipefail
programma=$(realpath "${1:?"gebruik: $0 PROGRAMMA KAAL_VENSTER [AANTAL]"}")
kaal=$(realpath "${2:?"gebruik: $0 PROGRAMMA KAAL_VENSTER [AANTAL]"}")
aantal=${3:-5}

# Without a display the whole measurement runs under its own Xvfb.
if [ -z "${DISPLAY:-}" ]; then
    # -noreset: the server must not reset between one measured program and the next.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$programma" "$kaal" "$aantal"
fi
export QT_QPA_PLATFORM=xcb

# meet PROGRAM TITLE: prints "milliseconds-to-mapped resident-kB"
meet() {
    local begin eind pid rss
    cd "$(dirname "$1")"
    begin=$(date +%s%N)
    "$1" >/dev/null 2>"${TMPDIR:-/tmp}/opstart_meting.err" &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" --name "$2" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 stopte voor zijn venster verscheen:" >&2; cat "${TMPDIR:-/tmp}/opstart_meting.err" >&2; return 1; }
    done
    eind=$(date +%s%N)
    sleep 1
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((eind - begin) / 1000000)) $rss"
}

mediaan() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

p_tijd=(); p_geh=(); k_tijd=(); k_geh=()
for i in $(seq "$aantal"); do
    read -r t m < <(meet "$programma" '^Kwintelvlak$')
    p_tijd+=("$t"); p_geh+=("$m")
    read -r t m < <(meet "$kaal" '^Kaal venster$')
    k_tijd+=("$t"); k_geh+=("$m")
    echo "run $i: programma ${p_tijd[-1]} ms ${p_geh[-1]} kB, kaal ${k_tijd[-1]} ms ${k_geh[-1]} kB"
done
pt=$(printf '%s\n' "${p_tijd[@]}" | mediaan)
pm=$(printf '%s\n' "${p_geh[@]}" | mediaan)
kt=$(printf '%s\n' "${k_tijd[@]}" | mediaan)
km=$(printf '%s\n' "${k_geh[@]}" | mediaan)
echo "mediaan van $aantal: programma $pt ms, $pm kB; kaal venster $kt ms, $km kB"
awk -v pt="$pt" -v kt="$kt" -v pm="$pm" -v km="$km" \
    'BEGIN { printf "verhouding: tijd %.2f x, geheugen %.2f x\n", pt / kt, pm / km }'
