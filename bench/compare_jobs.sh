# The data-edit jobs the whole-process comparisons time, defined once: sourced by
# compare_tools.sh, compare_pivot.sh, compare_macro.sh and compare_all.sh.
# Needs $build (the build folder) and $work (a scratch folder) set before it is
# sourced; makes the generated files under /tmp/tabro_bench when they are missing
# and writes the settings files into $work.

data=/tmp/tabro_bench
[ -f "$data/texts30000x20.utf8.csv" ] || "$build/bench/make_bench_csv" "$data" >/dev/null

# The replay with an empty order: the load and the output alone.
printf '@Header\nVersion=1.0\n\n' >"$work/none.txt"

# Sort: 得意先名1 as text ascending, then 数量1 as a number descending.
printf '@Header\nVersion=1.0\nEditInf=0,4,0\n\n@Sort\nsortCnt=2\nsortdata=0,1,0,0\nsortdata=1,2,1,1\n\n' \
  >"$work/sort.txt"
sort_sql='SELECT * FROM t ORDER BY 得意先名1, CAST(数量1 AS REAL) DESC'

# Filter: 地域1 is 東京 or 大阪府, and 数量1 lies between 100 and 300.
printf '@Header\nVersion=1.0\nEditInf=0,3,0\n\n@Filter\nFilterCnt=2\nItemCnt=2\nfilter=0,5,0,0,2\nfilterKey=0,0,"東京"\nfilterKey=0,1,"大阪府"\nfilter=1,2,1,2,2\nfilterKey=1,0,"100"\nfilterKey=1,1,"300"\n\n' \
  >"$work/filter.txt"
filter_sql="SELECT * FROM t WHERE 地域1 IN ('東京','大阪府') AND CAST(数量1 AS REAL) BETWEEN 100 AND 300"

# Two levels: 得意先名1 outside, 地域1 inside, both with subtotals; sums of 金額1
# and 数量1.
printf '@Header\nVersion=1.0\nEditInf=0,1,0\n\n@Pivot\nColms=20\nSumType=0\nSumStyl=0\nTotalFg=0\nNendMonth=4\nSumClmArryCount=2\nSumClmArry=0,7,1,0\nSumClmArry=1,2,1,1\nGrpClmArryCount=2\nGrpClmArry=0,5,1,0,1,0,0,0,1\nGrpClmArry=1,1,1,1,2,0,0,0,1\n\n' \
  >"$work/simple.txt"
amount="CAST(REPLACE(金額1, ',', '') AS INTEGER)"
simple_sql="SELECT 得意先名1, 地域1, SUM($amount), SUM(数量1) FROM t GROUP BY 得意先名1, 地域1"

# Cross table: 得意先名1 down, 地域1 across, sums of 金額1.
printf '@Header\nVersion=1.0\nEditInf=0,1,0\n\n@Pivot\nColms=20\nSumType=1\nSumStyl=0\nTotalFg=0\nNendMonth=4\nSumClmArryCount=1\nSumClmArry=0,7,1,0\nGrpClmArryCount=2\nGrpClmArry=0,1,1,0,1,0,0,0,0\nGrpClmArry=1,5,2,1,4,0,0,0,0\n\n' \
  >"$work/cross.txt"
# The query's columns, one per value of 地域1, come with the shape (use_shape).

# Macro columns: the 20 input columns, then 金額計 = 単価1 * 数量1 and 規模 from 数量1.
{
  printf '@Header\nVersion=1.0\nEditInf=0,5,0\n\n@Macro\ncolms=20\nEditDatclms=20\nClmArry_Count=22\n'
  for c in $(seq 0 19); do printf 'ClmArry=%d,%d,0,"",""\n' "$c" $((c + 1)); done
  printf 'ClmArry=20,-1,1,"[単価1]*[数量1]","金額計"\n'
  printf "ClmArry=21,-1,2,\"if [数量1]>=250 then return '大口' else return '小口'\",\"規模\"\n\n"
} >"$work/macro.txt"
macro_sql="SELECT *, 単価1*数量1, CASE WHEN CAST(数量1 AS REAL) >= 250 THEN '大口' ELSE '小口' END FROM t"

# The shapes of the generated 30000-row files the jobs run on: the rows file repeats
# a few values in every column; the texts file holds shop, person and product names
# and free remarks in eight columns, many of them different. Both carry the columns
# the settings above name in the same places.
shapes=(rows30000x20 texts30000x20)
declare -A shape_label=([rows30000x20]="30000 x 20" [texts30000x20]="30000 x 20 texts")
declare -A shape_regions=([rows30000x20]="東京 大阪府 名古屋 りんご みかん ボールペン ノート 営業部"
  [texts30000x20]="東京 大阪府 愛知県 福岡県 北海道 宮城県 神奈川県 兵庫県")

# Sets the files of shape $1 (sjis, utf8) and the peers' commands on them.
use_shape() {
  sjis=$data/$1.sjis.csv
  utf8=$data/$1.utf8.csv
  # sqlite3 with the UTF-8 copy imported as table t; the query follows.
  sqlite20=(sqlite3 :memory: -cmd '.mode csv' -cmd ".import $utf8 t")
  sort_mlr=(mlr --csv sort -f 得意先名1 -nr 数量1 "$utf8")
  filter_mlr=(mlr --csv filter '($地域1 == "東京" || $地域1 == "大阪府") && $数量1 >= 100 && $数量1 <= 300' "$utf8")
  simple_mlr=(mlr --csv put '$金額1 = float(gsub($金額1, ",", ""))'
    then stats1 -a sum -f 金額1,数量1 -g 得意先名1,地域1 "$utf8")
  local region cases=""
  for region in ${shape_regions[$1]}; do
    cases+=", SUM(CASE WHEN 地域1 = '$region' THEN $amount ELSE 0 END)"
  done
  cross_sql="SELECT 得意先名1$cases FROM t GROUP BY 得意先名1"
  cross_mlr=(mlr --csv put '$金額1 = float(gsub($金額1, ",", ""))'
    then stats1 -a sum -f 金額1 -g 得意先名1,地域1 then reshape -s 地域1,金額1_sum "$utf8")
  macro_mlr=(mlr --csv put '$金額計 = $単価1 * $数量1; $規模 = $数量1 >= 250 ? "大口" : "小口"' "$utf8")
}
use_shape rows30000x20

# sqlite3 importing a UTF-8 file as table t, then running the query given (if any).
sqlite_on() {
  local file=$1
  shift
  sqlite3 :memory: -cmd '.mode csv' -cmd ".import $file t" "$@"
}

# Median wall and CPU seconds of a command over $runs runs: "wall cpu".
runs_median() {
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

# One table row: task, program, then the command timed.
table_row() {
  local task=$1 tool=$2
  shift 2
  read -r wall cpu < <(runs_median "$@")
  echo "| $task | $tool | $wall | $cpu |"
}
