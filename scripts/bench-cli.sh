#!/usr/bin/env bash
# Times whole runs of quillmap-cli as a user runs them — convert (load and
# save), export in three text forms and dump — on generated outlines of
# 1,000, 10,000 and 100,000 nodes, against the system's own converter on the
# same bytes in the same run: `iconv -f CP932 -t UTF-16LE` then back, the
# floor any reader and writer of these files stands on. Prints the best of
# QM_CLI_RUNS runs (wall seconds), the ratio to that baseline and the peak
# memory against the file's size.
#
# Usage: scripts/bench-cli.sh
#   QM_BENCH_BUILD   build folder (default build-bench)
#   QM_CLI_RUNS      runs per measure, the best counts (default 3)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QM_BENCH_BUILD:-$root/build-bench}"
runs="${QM_CLI_RUNS:-3}"

bash "$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_BENCH=ON \
  -DQM_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j1 quillmap-cli qm_make_outline

cli="$build/src/cli/quillmap-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A settings store of its own, so the user's settings neither count nor change.
export XDG_CONFIG_HOME="$work/config"

# best_of COMMAND...: "seconds peak_kb" of the fastest of $runs runs.
best_of() {
  local best="" peak=""
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
      { cat "$work/stderr" >&2; return 1; }
    read -r seconds kb <"$work/time"
    if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
      peak=$kb
    fi
  done
  echo "$best $peak"
}

# The baseline: the file through iconv to UTF-16 and back.
iconv_round_trip() {
  iconv -f CP932 -t UTF-16LE "$1" | iconv -f UTF-16LE -t CP932 >/dev/null
}
export -f iconv_round_trip

printf '%-10s %-22s %9s %9s %8s %10s %8s\n' nodes run seconds iconv ratio "peak MB" "x file"
for nodes in 1000 10000 100000; do
  file="$work/outline-$nodes.qmp"
  "$build/bench/qm_make_outline" "$nodes" "$file" >/dev/null
  size=$(stat -c %s "$file")
  read -r base _ < <(best_of bash -c 'iconv_round_trip "$0"' "$file")

  report() {  # name seconds peak_kb baseline_seconds
    awk -v n="$nodes" -v name="$1" -v s="$2" -v kb="$3" -v b="$4" -v size="$size" 'BEGIN {
      ratio = (b > 0) ? sprintf("%.1fx", s / b) : "-"
      printf "%-10s %-22s %9.2f %9.2f %8s %10.0f %7.1fx\n", n, name, s, b, ratio, kb / 1024, kb * 1024 / size
    }'
  }

  read -r s kb < <(best_of "$cli" convert "$file" "$work/out.qmp")
  report convert "$s" "$kb" "$base"
  for form in 0 1 5; do
    read -r s kb < <(best_of "$cli" export "$file" "$work/out-$form.txt" --set "Text/Form=$form")
    read -r out_base _ < <(best_of bash -c 'iconv_round_trip "$0"' "$work/out-$form.txt")
    report "export form $form" "$s" "$kb" "$out_base"
  done
  read -r s kb < <(best_of "$cli" dump "$file")
  report dump "$s" "$kb" "$base"
done
echo
echo "Targets at 100,000 nodes: convert <= 2.5x iconv, export <= 3x the iconv round trip of its"
echo "output, dump < 1.5 s and < 4x the file's size; every run linear in the node count."
