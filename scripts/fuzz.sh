#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, ASan, UBSan) and runs one.
# Usage: scripts/fuzz.sh TARGET [SECONDS]   e.g. scripts/fuzz.sh outline_reader 600
# The corpus grows in fuzz/corpus-TARGET (not committed), seeded from
# fuzz/seeds/TARGET; crashes are written to fuzz/crash-TARGET-*.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-600}
bash scripts/bootstrap.sh

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQM_BUILD_FUZZ=ON -DQM_BUILD_TESTS=OFF -DQM_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target "${target}_fuzzer"

corpus=fuzz/corpus-$target
mkdir -p "$corpus"
seeds=()
[[ -d fuzz/seeds/$target ]] && seeds=(fuzz/seeds/$target)
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
  -artifact_prefix="fuzz/crash-$target-" -print_final_stats=1 "$corpus" "${seeds[@]}"
