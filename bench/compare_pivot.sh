#!/usr/bin/env bash
# Times the aggregation step on the generated 30000-row, 20-column file as whole
# processes, load and output included: replay_tools (Shift_JIS file, settings
# file) against sqlite3 (CSV import and the equivalent GROUP BY) and Miller, on the
# same data in UTF-8. Prints the median wall and CPU seconds (user + system) of
# RUNS runs as a table.
# Usage: bench/compare_pivot.sh BUILD_DIR [RUNS]   (files are made under /tmp/tabro_bench)
set -euo pipefail
build=${1:?build folder}
runs=${2:-7}
data=/tmp/tabro_bench
[ -f "$data/rows30000x20.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null
sjis=$data/rows30000x20.sjis.csv
utf8=$data/rows30000x20.utf8.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Two levels: 得意先名1 outside, 地域1 inside, both with subtotals; sums of 金額1
# and 数量1.
printf '@Header\nVersion=1.0\nEditInf=0,1,0\n\n@Pivot\nColms=20\nSumType=0\nSumStyl=0\nTotalFg=0\nNendMonth=4\nSumClmArryCount=2\nSumClmArry=0,7,1,0\nSumClmArry=1,2,1,1\nGrpClmArryCount=2\nGrpClmArry=0,5,1,0,1,0,0,0,1\nGrpClmArry=1,1,1,1,2,0,0,0,1\n\n' \
  >"$work/simple.txt"
# Cross table: 得意先名1 down, 地域1 across, sums of 金額1.
printf '@Header\nVersion=1.0\nEditInf=0,1,0\n\n@Pivot\nColms=20\nSumType=1\nSumStyl=0\nTotalFg=0\nNendMonth=4\nSumClmArryCount=1\nSumClmArry=0,7,1,0\nGrpClmArryCount=2\nGrpClmArry=0,1,1,0,1,0,0,0,0\nGrpClmArry=1,5,2,1,4,0,0,0,0\n\n' \
  >"$work/cross.txt"

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

amount="CAST(REPLACE(金額1, ',', '') AS INTEGER)"
regions=(東京 大阪府 名古屋 りんご みかん ボールペン ノート 営業部)
cases=""
for r in "${regions[@]}"; do cases+=", SUM(CASE WHEN 地域1 = '$r' THEN $amount ELSE 0 END)"; done

echo "| task | program | wall s (median) | CPU s (median) |"
echo "|---|---|---|---|"
row "two levels, subtotals" replay_tools "$build/bench/replay_tools" "$sjis" "$work/simple.txt"
row "two levels, subtotals" sqlite3 sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t" \
  "SELECT 得意先名1, 地域1, SUM($amount), SUM(数量1) FROM t GROUP BY 得意先名1, 地域1"
row "two levels, subtotals" "mlr stats1" mlr --csv put '$金額1 = float(gsub($金額1, ",", ""))' \
  then stats1 -a sum -f 金額1,数量1 -g 得意先名1,地域1 "$utf8"
row "cross table" replay_tools "$build/bench/replay_tools" "$sjis" "$work/cross.txt"
row "cross table" sqlite3 sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t" \
  "SELECT 得意先名1$cases FROM t GROUP BY 得意先名1"
row "cross table" "mlr stats1" mlr --csv put '$金額1 = float(gsub($金額1, ",", ""))' \
  then stats1 -a sum -f 金額1 -g 得意先名1,地域1 then reshape -s 地域1,金額1_sum "$utf8"
