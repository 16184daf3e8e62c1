#!/usr/bin/env bash
# Builds the program and runs it on the given outline (the bundled sample
# when none is given). Usage: scripts/run.sh [FILE.qmp]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
exec "$build/src/cli/quillmap-cli" dump "${1:-samples/sample.qmp}"
