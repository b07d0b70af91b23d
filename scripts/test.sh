#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Installs what is missing for the tests (scripts/deps.sh --test), builds
# everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
build=${KWINTEL_BUILD_DIR:-build}
# A build folder that scripts/start.sh made has the tests switched off.
cmake -S . -B "$build" -G Ninja -DKWINTEL_TESTS=ON -DKWINTEL_BENCHMARKS=ON "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
