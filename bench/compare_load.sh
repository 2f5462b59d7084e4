#!/usr/bin/env bash
# Times the whole load of the generated Japanese CSVs by load_csv (Shift_JIS files)
# against sqlite3's CSV import of the same data in UTF-8, best of N runs each, and
# prints the peak memory of load_csv.
# Usage: bench/compare_load.sh BUILD_DIR [RUNS]   (files are made under /tmp/tabro_bench)
set -euo pipefail
build=${1:?build folder}
runs=${2:-5}
data=/tmp/tabro_bench
out=$(mktemp)
trap 'rm -f "$out"' EXIT
[ -f "$data/rows30000x256.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null

# Best elapsed seconds of a command over the runs.
best() {
  local best=""
  for _ in $(seq "$runs"); do
    local start end t
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    t=$(awk "BEGIN{printf \"%.3f\", ($end - $start) / 1e9}")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}

for shape in 30000x20 30000x256; do
  ours=$(best "$build/bench/load_csv" "$data/rows$shape.sjis.csv")
  theirs=$(best sqlite3 :memory: -cmd '.mode csv' ".import $data/rows$shape.utf8.csv t")
  /usr/bin/time -f "%M" -o "$out" "$build/bench/load_csv" "$data/rows$shape.sjis.csv" >/dev/null
  peak=$(tail -n 1 "$out")
  echo "$shape: load_csv ${ours}s (peak ${peak} kB), sqlite3 import ${theirs}s"
done
/usr/bin/time -f "%M" -o "$out" "$build/bench/load_csv" --empty >/dev/null
empty=$(tail -n 1 "$out")
echo "started program with empty grids: peak ${empty} kB"
