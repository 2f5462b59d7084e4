#!/usr/bin/env bash
# Times a two-key sort and a filter (value list plus number range) on the
# generated 30000-row, 20-column file as whole processes, load and output
# included: replay_tools (Shift_JIS file, settings file) against sqlite3
# (CSV import and the equivalent query) and Miller, on the same data in UTF-8.
# Prints the median wall and CPU seconds (user + system) of RUNS runs as a table.
# Usage: bench/compare_tools.sh BUILD_DIR [RUNS]   (files are made under /tmp/tabro_bench)
set -euo pipefail
build=${1:?build folder}
runs=${2:-7}
data=/tmp/tabro_bench
[ -f "$data/rows30000x20.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null
sjis=$data/rows30000x20.sjis.csv
utf8=$data/rows30000x20.utf8.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sort: 得意先名1 as text ascending, then 数量1 as a number descending.
printf '@Header\nVersion=1.0\nEditInf=0,4,0\n\n@Sort\nsortCnt=2\nsortdata=0,1,0,0\nsortdata=1,2,1,1\n\n' \
  >"$work/sort.txt"
# Filter: 地域1 is 東京 or 大阪府, and 数量1 lies between 100 and 300.
printf '@Header\nVersion=1.0\nEditInf=0,3,0\n\n@Filter\nFilterCnt=2\nItemCnt=2\nfilter=0,5,0,0,2\nfilterKey=0,0,"東京"\nfilterKey=0,1,"大阪府"\nfilter=1,2,1,2,2\nfilterKey=1,0,"100"\nfilterKey=1,1,"300"\n\n' \
  >"$work/filter.txt"

# The same replay with an empty order: the load and the output alone.
printf '@Header\nVersion=1.0\n\n' >"$work/none.txt"

# Median wall and CPU seconds of a command over the runs: "wall cpu".
median() {
  local times=()
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %U %S" -o "$work/t" "$@" >/dev/null 2>&1
    times+=("$(tail -n 1 "$work/t")")
  done
  local m=$(( (runs + 1) / 2 ))
  local wall cpu
  wall=$(printf '%s\n' "${times[@]}" | awk '{print $1}' | sort -g | sed -n "${m}p")
  cpu=$(printf '%s\n' "${times[@]}" | awk '{printf "%.2f\n", $2 + $3}' | sort -g | sed -n "${m}p")
  echo "$wall $cpu"
}

row() {
  local task=$1 tool=$2
  shift 2
  read -r wall cpu < <(median "$@")
  echo "| $task | $tool | $wall | $cpu |"
}

echo "| task | program | wall s (median) | CPU s (median) |"
echo "|---|---|---|---|"
row "load and print only" replay_tools "$build/bench/replay_tools" "$sjis" "$work/none.txt"
row sort replay_tools "$build/bench/replay_tools" "$sjis" "$work/sort.txt"
row sort sqlite3 sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t" \
  'SELECT * FROM t ORDER BY 得意先名1, CAST(数量1 AS REAL) DESC'
row sort "mlr sort" mlr --csv sort -f 得意先名1 -nr 数量1 "$utf8"
row filter replay_tools "$build/bench/replay_tools" "$sjis" "$work/filter.txt"
row filter sqlite3 sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t" \
  "SELECT * FROM t WHERE 地域1 IN ('東京','大阪府') AND CAST(数量1 AS REAL) BETWEEN 100 AND 300"
row filter "mlr filter" mlr --csv filter '($地域1 == "東京" || $地域1 == "大阪府") && $数量1 >= 100 && $数量1 <= 300' "$utf8"
