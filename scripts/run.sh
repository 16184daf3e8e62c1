#!/usr/bin/env bash
# Builds Quillmap and opens the given outline in its window (the bundled
# sample when none is given). Usage: scripts/run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
file=$(realpath "${1:-samples/sample.qmp}")
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display here. Run the window under a virtual one:" >&2
  echo "  xvfb-run -a $build/src/gui/quillmap $file" >&2
  echo "or use the command-line tool: $build/src/cli/quillmap-cli dump $file" >&2
  exit 1
fi
exec "$build/src/gui/quillmap" "$file"
