#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kwintelvlak.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exec build/programma/kwintelvlak "$@"
