#!/usr/bin/env bash
# Takes the picture of the window that the README and the manual show:
# Quillmap on samples/sample.qmp in a 1280x800 virtual screen.
# Usage: scripts/screenshot.sh [OUT.png]   (default docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
out=$(realpath -m "${1:-docs/screenshot.png}")

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quillmap >/dev/null
# A settings folder of its own, so the picture never depends on the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" QUILLMAP_SCREENSHOT="$out" \
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/src/gui/quillmap" "$PWD/samples/sample.qmp"
echo "wrote $out"
