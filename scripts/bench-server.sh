#!/usr/bin/env bash
# Builds quillmap-server and its benches (Release, build-bench/) and runs
# them: concurrent list requests from many clients, then a save and a read
# back of a file near the size limit; then the window's round trip of a
# 10,000-node outline (save to the service, open again) beside curl sending
# the same file; then two servers on one throwaway PostgreSQL cluster under 50
# clients listing and downloading for 30 s, and the list of an account of
# 1,000 outlines.
#
# Usage: scripts/bench-server.sh [CLIENTS [REQUESTS [FILE_BYTES]]]   (20 10 900000)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

bash "$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_BENCH=ON \
  -DQM_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j1 quillmap-server qm_server_load qm_web_roundtrip qm_server_shared_load
"$build/bench/qm_server_load" "$@"
"$build/bench/qm_web_roundtrip" 10000 5
"$build/bench/qm_server_shared_load" 50 30 1000
