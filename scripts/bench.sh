#!/usr/bin/env bash
# Builds the outline benchmarks (Release, build-bench/), runs them and the load memory check,
# and prints the figures the targets are judged by.
#
# Usage: scripts/bench.sh [benchmark options...]
#   QM_BENCH_MIN_TIME   seconds per benchmark and size (default 0.2)
#   QM_BENCH_REPS       repetitions; the summary uses their median (default 3)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
min_time="${QM_BENCH_MIN_TIME:-0.2}"
reps="${QM_BENCH_REPS:-3}"

bash "$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_BENCH=ON \
  -DQM_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j1 qm_outline_bench qm_make_outline qm_load_peak_memory qm_window_bench \
  qm_search_bench qm_latest_bench qm_paste_bench qm_import_bench qm_file_browser_bench \
  qm_key_dispatch_bench

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

results="$build/bench-results.json"
"$build/bench/qm_outline_bench" --benchmark_min_time="$min_time" \
  --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_out="$results" --benchmark_out_format=json "$@"

# Memory in a fresh process, so nothing of the benchmarks' heap is counted.
"$build/bench/qm_make_outline" 100000 "$work/outline-100000.qmp"
memory="$build/peak-memory.txt"
"$build/bench/qm_load_peak_memory" "$work/outline-100000.qmp" | tee "$memory"

python3 - "$results" "$memory" <<'PY'
import json
import sys

results_path, memory_path = sys.argv[1], sys.argv[2]
runs = {}
for b in json.load(open(results_path))["benchmarks"]:
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
        continue
    name = b.get("run_name", b["name"])
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    runs[name] = {"cpu": b["cpu_time"] * scale, "real": b["real_time"] * scale,
                  "faults": b.get("faults", float("nan"))}
memory = dict(line.split(": ", 1) for line in open(memory_path).read().splitlines())

def ms(name, kind="cpu"):
    run = runs.get(name)
    return run[kind] if run else None

def ratio(a, b):
    return a / b if a is not None and b else None

def show(value, fmt="{:.2f}"):
    return "n/a" if value is None else fmt.format(value)

def verdict(value, limit):
    return "n/a" if value is None else ("met" if value <= limit else "MISSED")

print()
print("Summary (CPU time, median of the repetitions; the outline has 100,000 nodes)")
load = ratio(ms("BM_Load/100000"), ms("BM_DecodeOnly/100000"))
save = ratio(ms("BM_Save/100000"), ms("BM_EncodeOnly/100000"))
save_real = ratio(ms("BM_Save/100000", "real"), ms("BM_EncodeOnly/100000", "real"))
peak = float(memory["peak_increase_per_file_byte"])
print(f"  load / decode        {show(load)}x   "
      f"({show(ms('BM_Load/100000'), '{:.1f}')} / {show(ms('BM_DecodeOnly/100000'), '{:.1f}')} ms)"
      f"   target <= 3: {verdict(load, 3)}")
print(f"  save / encode        {show(save)}x   "
      f"({show(ms('BM_Save/100000'), '{:.1f}')} / {show(ms('BM_EncodeOnly/100000'), '{:.1f}')} ms;"
      f" wall clock with the file sync {show(save_real)}x)   target <= 3: {verdict(save, 3)}")
peak_verdict = "met" if peak < 5 else "MISSED"
print(f"  peak memory / file   {peak:.2f}x   ({int(memory['peak_increase_kib']) // 1024} MiB more"
      f" for {int(memory['file_bytes']) // (1 << 20)} MiB; resident after loading"
      f" {int(memory['rss_after_kib']) // 1024} MiB)   target < 5: {peak_verdict}")
print()
print("Cost per node (CPU ns) by outline size; growth = 100k per node / 1k per node")
print(f"  {'benchmark':<22}{'1k':>10}{'10k':>10}{'100k':>10}{'growth':>9}"
      f"{'faults/node 1k':>16}{'100k':>8}")
for bench in ["BM_DecodeOnly", "BM_Load", "BM_ReadOutlineText", "BM_EncodeOnly",
              "BM_WriteOutlineText", "BM_Save", "BM_RebuildTree", "BM_Recount", "BM_FindPath"]:
    per = {n: (ms(f"{bench}/{n}") * 1e6 / n if ms(f"{bench}/{n}") is not None else None)
           for n in (1000, 10000, 100000)}
    faults = {n: (runs[f"{bench}/{n}"]["faults"] / n if f"{bench}/{n}" in runs else None)
              for n in (1000, 100000)}
    growth = ratio(per[100000], per[1000])
    print(f"  {bench:<22}{show(per[1000], '{:.0f}'):>10}{show(per[10000], '{:.0f}'):>10}"
          f"{show(per[100000], '{:.0f}'):>10}{show(growth, '{:.2f}x'):>9}"
          f"{show(faults[1000], '{:.2f}'):>16}{show(faults[100000], '{:.2f}'):>8}")
print("  (faults/node: minor page faults per node and run, i.e. first touches of fresh memory;"
      " where a fault is dear they, not the code, make the 100k figures grow)")
rename = ms("BM_RenameBranchTop/10000")
print(f"  rename of a 10,000-node branch top: {show(rename, '{:.3f}')} ms")
PY

echo
echo "The window, off screen, on a generated 100,000-node outline"
"$build/bench/qm_window_bench" 100000

# The editing features and plain-text import on the same kind of outline, the
# file browser (its behaviour and its window) on a folder of 10,000 files, and
# key dispatch against Qt typing;
# each reports its own figures (text output has scripts/bench-textout.sh).
for bench in qm_search_bench qm_latest_bench qm_paste_bench qm_import_bench qm_file_browser_bench \
    qm_key_dispatch_bench; do
  echo "== $bench"
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/$bench" \
    --benchmark_min_time="$min_time" --benchmark_repetitions="$reps" \
    --benchmark_report_aggregates_only=true "$@"
done
