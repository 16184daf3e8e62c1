#!/usr/bin/env bash
# Builds and runs the text output benchmarks (Release), prints each form's cost against the code
# page conversion of the same text and its growth with the outline's size, and times pandoc
# turning the same outline, written as a nested Markdown list, into HTML for comparison.
#
# Usage: scripts/bench-textout.sh [benchmark options...]
#   QM_BENCH_BUILD      build folder (default build-bench)
#   QM_BENCH_MIN_TIME   seconds per benchmark and size (default 0.2)
#   QM_BENCH_REPS       repetitions; the summary uses their median (default 3)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QM_BENCH_BUILD:-$root/build-bench}"
min_time="${QM_BENCH_MIN_TIME:-0.2}"
reps="${QM_BENCH_REPS:-3}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_BENCH=ON \
  -DQM_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j1 qm_textout_bench qm_outline_markdown

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

results="$build/textout-results.json"
"$build/bench/qm_textout_bench" --benchmark_min_time="$min_time" \
  --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_out="$results" --benchmark_out_format=json "$@"

python3 - "$results" <<'PY'
import json
import sys

runs = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
        continue
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    runs[b.get("run_name", b["name"])] = b["cpu_time"] * scale

forms = ["chapters", "chapter numbers", "indent only", "as it is", "HTML marks", "HTML numbers"]
print()
print("Text output of each form to a file against the code page conversion of the same text")
print("(CPU ms, median; growth = per-node cost at 100k / at 1k)")
print(f"  {'form':<18}{'to file':>10}{'codec':>10}{'ratio':>8}{'  target <= 4':<16}"
      f"{'ns/node 1k':>12}{'10k':>8}{'100k':>8}{'growth':>9}")
for form, name in enumerate(forms):
    def ms(bench, nodes):
        return runs.get(f"{bench}/form:{form}/nodes:{nodes}")
    out, codec = ms("BM_TextOutputToFile", 100000), ms("BM_TextOutputEncodeOnly", 100000)
    ratio = out / codec if out and codec else None
    per = {n: (ms("BM_TextOutputToFile", n) or float("nan")) * 1e6 / n for n in (1000, 10000, 100000)}
    verdict = "n/a" if ratio is None else ("met" if ratio <= 4 else "MISSED")
    print(f"  {form} {name:<16}{out or float('nan'):>10.1f}{codec or float('nan'):>10.1f}"
          f"{ratio or float('nan'):>7.2f}x  {verdict:<14}{per[1000]:>12.0f}{per[10000]:>8.0f}"
          f"{per[100000]:>8.0f}{per[100000] / per[1000]:>8.2f}x")
PY

echo
if command -v pandoc >/dev/null; then
  "$build/bench/qm_outline_markdown" 100000 "$work/outline.md" >/dev/null
  echo "Reference: pandoc $(pandoc --version | head -1 | cut -d' ' -f2), the same 100,000-node"
  echo "outline as a nested Markdown list ($(wc -c <"$work/outline.md") bytes) to HTML:"
  python3 - "$work/outline.md" "$work/outline.html" <<'PY'
import resource
import subprocess
import sys
import time

best = None
for _ in range(3):
    start = time.perf_counter()
    subprocess.run(["pandoc", "-f", "markdown", "-t", "html", "-o", sys.argv[2], sys.argv[1]],
                   check=True)
    wall = time.perf_counter() - start
    best = wall if best is None else min(best, wall)
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"  wall {best * 1000:.0f} ms (best of 3); CPU {(usage.ru_utime + usage.ru_stime) / 3 * 1000:.0f}"
      f" ms per run on average")
PY
else
  echo "pandoc is not installed: no reference figure (apt-get install pandoc)."
fi
