#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Installs what building and running need when it is missing, builds what
# running the program needs (the program, the standard boards, the help file,
# the example plug-ins; no tests or benchmarks) and starts Kwintelvlak.
# scripts/test.sh installs and builds the rest.
#
# With KWINTEL_TIJDEN=1 each step's start is printed on standard error
# ("kwintel-stap NAME SECONDS"), for scripts/eerste_start_meting.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
stap() { [ -z "${KWINTEL_TIJDEN:-}" ] || echo "kwintel-stap $1 $EPOCHREALTIME" >&2; }
stap pakketten
bash scripts/deps.sh
stap configureren
# The library as a unity build with precompiled Qt headers.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKWINTEL_TESTS=OFF -DKWINTEL_BENCHMARKS=OFF \
    -DKWINTEL_SNEL=ON
stap bouwen
cmake --build build
stap programma
exec build/programma/kwintelvlak "$@"
