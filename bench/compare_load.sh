#!/usr/bin/env bash
# Times the whole load of the generated Japanese CSVs by load_csv (Shift_JIS files)
# against sqlite3's CSV import of the same data in UTF-8, as whole processes (run by
# build/bench/measure_process): wall seconds, CPU seconds (user + system, every
# thread) and peak memory, the median of RUNS runs each, the two programs taking
# turns. Prints a Markdown table with the ratios.
# Usage: bench/compare_load.sh BUILD_DIR [RUNS]   (files are made under /tmp/tabro_bench)
set -euo pipefail
build=${1:?build folder}
runs=${2:-7}
data=/tmp/tabro_bench
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
[ -f "$data/texts30000x20.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null

# One run: appends "wall cpu peak_kB" to the file named first.
measure() {
  local into=$1
  shift
  "$build/bench/measure_process" "$@" >>"$into" || true
}

# The median of one column (1 wall, 2 cpu, 3 peak) of a file of runs.
median() {
  sort -g -k"$2","$2" "$1" | awk -v c="$2" '{v[NR] = $c} END {print v[int((NR + 1) / 2)]}'
}

echo "| file | load_csv wall | sqlite3 wall | ratio | load_csv CPU | sqlite3 CPU | ratio | load_csv peak | sqlite3 peak |"
echo "|---|---|---|---|---|---|---|---|---|"
for shape in rows30000x20 rows30000x256 texts30000x20; do
  : >"$tmp/ours"
  : >"$tmp/theirs"
  for _ in $(seq "$runs"); do
    measure "$tmp/ours" "$build/bench/load_csv" "$data/$shape.sjis.csv"
    measure "$tmp/theirs" sqlite3 :memory: -cmd '.mode csv' ".import $data/$shape.utf8.csv t"
  done
  ow=$(median "$tmp/ours" 1) oc=$(median "$tmp/ours" 2) op=$(median "$tmp/ours" 3)
  tw=$(median "$tmp/theirs" 1) tc=$(median "$tmp/theirs" 2) tp=$(median "$tmp/theirs" 3)
  awk -v s="$shape" -v ow="$ow" -v oc="$oc" -v op="$op" -v tw="$tw" -v tc="$tc" -v tp="$tp" 'BEGIN {
    printf "| %s | %.3f s | %.3f s | %.2fx | %.3f s | %.3f s | %.2fx | %.0f MB | %.0f MB |\n",
      s, ow, tw, (tw > 0 ? ow / tw : 0), oc, tc, (tc > 0 ? oc / tc : 0), op / 1024, tp / 1024 }'
done
: >"$tmp/empty"
for _ in $(seq "$runs"); do measure "$tmp/empty" "$build/bench/load_csv" --empty; done
awk -v p="$(median "$tmp/empty" 3)" 'BEGIN { printf "| started program, empty grids | | | | | | | %.1f MB | |\n", p / 1024 }'
echo
echo "median of $runs runs each, $(nproc) cores"
