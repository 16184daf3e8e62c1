#!/usr/bin/env bash
# Builds quillmap-server and its load bench (Release, build-bench/) and runs
# the bench: concurrent list requests from many clients, then a save and a
# read back of a file near the size limit.
#
# Usage: scripts/bench-server.sh [CLIENTS [REQUESTS [FILE_BYTES]]]   (20 10 900000)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

bash "$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_BENCH=ON \
  -DQM_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j1 quillmap-server qm_server_load
"$build/bench/qm_server_load" "$@"
