#!/usr/bin/env bash
# Installs what building and running need when it is missing, builds what
# running the program needs (the program, the standard boards, the help file,
# the example plug-ins; no tests or benchmarks) and starts Kwintelvlak.
# scripts/test.sh installs and builds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The library as a unity build with precompiled Qt headers: the first build
# takes half the time.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKWINTEL_TESTS=OFF -DKWINTEL_BENCHMARKS=OFF \
    -DKWINTEL_SNEL=ON
cmake --build build
exec build/programma/kwintelvlak "$@"
