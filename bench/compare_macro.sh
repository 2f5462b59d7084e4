#!/usr/bin/env bash
# Times the macro-column step on the generated 30000-row, 20-column file as whole
# processes, load and output included: replay_tools (Shift_JIS file, settings file
# keeping the 20 columns and adding a product and a text column) against sqlite3
# (CSV import and the query selecting every column and the two equivalent
# expressions) on the same data in UTF-8. The programs take turns in each round.
# Prints the median wall and CPU seconds (user + system) of RUNS runs as a table.
# Usage: bench/compare_macro.sh BUILD_DIR [RUNS]   (files are made under /tmp/tabro_bench)
set -euo pipefail
build=${1:?build folder}
runs=${2:-9}
data=/tmp/tabro_bench
[ -f "$data/rows30000x20.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null
sjis=$data/rows30000x20.sjis.csv
utf8=$data/rows30000x20.utf8.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Layout: the 20 input columns, then 金額計 = 単価1 * 数量1 and 規模 from 数量1.
{
  printf '@Header\nVersion=1.0\nEditInf=0,5,0\n\n@Macro\ncolms=20\nEditDatclms=20\nClmArry_Count=22\n'
  for c in $(seq 0 19); do printf 'ClmArry=%d,%d,0,"",""\n' "$c" $((c + 1)); done
  printf 'ClmArry=20,-1,1,"[単価1]*[数量1]","金額計"\n'
  printf "ClmArry=21,-1,2,\"if [数量1]>=250 then return '大口' else return '小口'\",\"規模\"\n\n"
} >"$work/macro.txt"
query="SELECT *, 単価1*数量1, CASE WHEN CAST(数量1 AS REAL) >= 250 THEN '大口' ELSE '小口' END FROM t"

declare -A times
run() {
  local key=$1
  shift
  /usr/bin/time -f "%e %U %S" -o "$work/t" "$@" >/dev/null 2>&1
  times[$key]+="$(tail -n 1 "$work/t")"$'\n'
}
for _ in $(seq "$runs"); do
  run tabro "$build/bench/replay_tools" "$sjis" "$work/macro.txt"
  run sqlite sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t" "$query"
done

median() {
  local m=$(( (runs + 1) / 2 ))
  local wall cpu
  wall=$(printf '%s' "$1" | awk '{print $1}' | sort -g | sed -n "${m}p")
  cpu=$(printf '%s' "$1" | awk '{printf "%.2f\n", $2 + $3}' | sort -g | sed -n "${m}p")
  echo "$wall $cpu"
}
read -r tw tc < <(median "${times[tabro]}")
read -r sw sc < <(median "${times[sqlite]}")
echo "| task | program | wall s (median) | CPU s (median) |"
echo "|---|---|---|---|"
echo "| two macro columns | replay_tools | $tw | $tc |"
echo "| two macro columns | sqlite3 | $sw | $sc |"
awk -v a="$tw" -v b="$sw" -v c="$tc" -v d="$sc" \
  'BEGIN { printf "replay_tools / sqlite3: wall %.2f, CPU %.2f\n", a / b, c / d }'
