#!/usr/bin/env bash
# Installs what is missing, builds what running the program needs (the
# program, the standard boards, the help file, the example plug-ins; no tests
# or benchmarks), and starts Kwintelvlak.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKWINTEL_TESTS=OFF -DKWINTEL_BENCHMARKS=OFF
cmake --build build
exec build/programma/kwintelvlak "$@"
