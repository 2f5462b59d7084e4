#!/usr/bin/env bash
# Runs every whole-process comparison in one go and prints one Markdown table of
# ratios: the load, sort, filter, aggregation, cross table, key join and macro
# columns as replay_tools / load_csv against sqlite3 and Miller on the same data
# (each shape of the generated 30000-row files, Shift_JIS for us, UTF-8 for them;
# the join on the 3000-line files of compare_join.py), load and output included;
# the start and exit of replay_tools alone against the first join; and the CSV edit page against a bare QTableView (tabro_ui_bench, in one process).
#
# Each round runs every program of a job once, taking turns, so that a busy moment
# of the machine falls on all of them alike; the table holds the medians of RUNS
# rounds. Wall and CPU seconds (user + system, every thread) come from the shell's
# own `time`, peak memory from /usr/bin/time.
#
# Usage: bench/compare_all.sh BUILD_DIR [RUNS]
# The programs it runs are built by the default build (TABRO_BUILD_BENCH is on):
#   cmake --build BUILD_DIR --target make_bench_csv load_csv replay_tools tabro_ui_bench
set -euo pipefail
build=${1:?build folder}
runs=${2:-9}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in make_bench_csv load_csv replay_tools; do
  [ -x "$build/bench/$program" ] || { echo "missing $build/bench/$program: build it first" >&2; exit 2; }
done
# shellcheck source=compare_jobs.sh
source "$here/compare_jobs.sh"

replay() { "$build/bench/replay_tools" "$@"; }

# The programs of each job: job_NAME VARIANT runs one of them (ours, sqlite3, mlr).
# The jobs on 30000 x 20 read the files of the shape use_shape set last.
job_load20() {
  case $1 in
    ours) "$build/bench/load_csv" "$sjis" ;;
    sqlite3) sqlite_on "$utf8" ;;
    mlr) mlr --icsv --opprint count "$utf8" ;;
  esac
}
job_load256() {
  case $1 in
    ours) "$build/bench/load_csv" "$data/rows30000x256.sjis.csv" ;;
    sqlite3) sqlite_on "$data/rows30000x256.utf8.csv" ;;
    mlr) mlr --icsv --opprint count "$data/rows30000x256.utf8.csv" ;;
  esac
}
job_sort() {
  case $1 in
    ours) replay "$sjis" "$work/sort.txt" ;;
    sqlite3) sqlite_on "$utf8" "$sort_sql" ;;
    mlr) "${sort_mlr[@]}" ;;
  esac
}
job_filter() {
  case $1 in
    ours) replay "$sjis" "$work/filter.txt" ;;
    sqlite3) sqlite_on "$utf8" "$filter_sql" ;;
    mlr) "${filter_mlr[@]}" ;;
  esac
}
job_simple() {
  case $1 in
    ours) replay "$sjis" "$work/simple.txt" ;;
    sqlite3) sqlite_on "$utf8" "$simple_sql" ;;
    mlr) "${simple_mlr[@]}" ;;
  esac
}
job_cross() {
  case $1 in
    ours) replay "$sjis" "$work/cross.txt" ;;
    sqlite3) sqlite_on "$utf8" "$cross_sql" ;;
    mlr) "${cross_mlr[@]}" ;;
  esac
}
job_macro() {
  case $1 in
    ours) replay "$sjis" "$work/macro.txt" ;;
    sqlite3) sqlite_on "$utf8" "$macro_sql" ;;
    mlr) "${macro_mlr[@]}" ;;
  esac
}
# Joins: job_join N VARIANT, on the files of shape N.
mapfile -t join_shapes < <(python3 "$here/compare_join.py" "$build" --files)
join_sql="SELECT m.*, a.得意先名, a.地区, a.担当者 FROM m LEFT JOIN a ON m.コード = a.コード;"
job_join() {
  local name main add settings
  IFS=$'\t' read -r name main add settings <<<"${join_shapes[$1]}"
  case $2 in
    ours) replay "$main" "$settings" ;;
    sqlite3) sqlite3 :memory: -cmd '.mode csv' -cmd ".import $main m" -cmd ".import $add a" "$join_sql" ;;
    mlr) mlr --csv join --ul -j コード -f "$main" "$add" ;;
  esac
}

# The start and exit of replay_tools alone, against the first join's peers: what a
# run of ours costs before any work, which weighs on jobs as short as the joins.
job_start() {
  case $1 in
    ours) "$build/bench/replay_tools" --start-only ;;
    *) job_join 0 "$1" ;;
  esac
}

# One run of a command: appends "wall cpu" (seconds) to the file named first.
TIMEFORMAT='%3R %3U %3S'
timed() {
  local into=$1
  shift
  local t
  if ! t=$( { time "$@" >/dev/null 2>"$work/err"; } 2>&1 ); then
    echo "failed: $*" >&2
    cat "$work/err" >&2
    exit 1
  fi
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' <<<"$t" >>"$into"
}

# The median of column 1 (wall) or 2 (cpu) of a file of runs.
median() {
  sort -g -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

row() {
  local job=$1 ours=$2 peer=$3 theirs=$4
  awk -v j="$job" -v p="$peer" -v ow="$(median "$ours" 1)" -v oc="$(median "$ours" 2)" \
    -v tw="$(median "$theirs" 1)" -v tc="$(median "$theirs" 2)" 'BEGIN {
    printf "| %s | %.3f | %.3f | %s | %.3f | %.3f | %.2fx | %.2fx |\n",
      j, ow, oc, p, tw, tc, (tw > 0 ? ow / tw : 0), (tc > 0 ? oc / tc : 0) }'
}

# Runs the job's programs in turns for the rounds and prints its rows.
compare() {
  local label=$1
  shift
  local key=${*// /_}
  local v
  for v in ours sqlite3 mlr; do : >"$work/$key.$v"; done
  for _ in $(seq "$runs"); do
    for v in ours sqlite3 mlr; do timed "$work/$key.$v" "$@" "$v"; done
  done
  row "$label" "$work/$key.ours" sqlite3 "$work/$key.sqlite3"
  row "$label" "$work/$key.ours" mlr "$work/$key.mlr"
}

# Peak resident memory of one run, in MB.
peak() {
  /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1
  awk '{ printf "%.0f", $1 / 1024 }' "$work/peak"
}

echo "| job | ours wall s | ours CPU s | peer | peer wall s | peer CPU s | wall ratio | CPU ratio |"
echo "|---|---|---|---|---|---|---|---|"
# Each shape's jobs, then those with files of their own.
for shape in "${shapes[@]}"; do
  use_shape "$shape"
  label=${shape_label[$shape]}
  compare "load $label" job_load20
  [ "$shape" = rows30000x20 ] && compare "load 30000 x 256" job_load256
  compare "two-key sort, $label" job_sort
  compare "filter (value list and number range), $label" job_filter
  compare "aggregation, two levels with subtotals, $label" job_simple
  compare "cross table, $label" job_cross
  compare "two macro columns, $label" job_macro
done
for n in "${!join_shapes[@]}"; do
  compare "key join, ${join_shapes[$n]%%$'\t'*}" job_join "$n"
done
compare "start and exit alone (no job), against the one-to-one join" job_start

# The CSV edit page against a bare QTableView over the same cells, in one process.
if [ -x "$build/bench/tabro_ui_bench" ]; then
  QT_QPA_PLATFORM=offscreen "$build/bench/tabro_ui_bench" \
    --benchmark_filter='CsvPageBuildPaintScroll|BareTableView' --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '
      $1 ~ /CsvPageBuildPaintScroll(_median)?"$/ { ow = $3; oc = $4 }
      $1 ~ /BareTableView(_median)?"$/ { tw = $3; tc = $4 }
      END { if (tw > 0 && tc > 0)
        printf "| CSV edit page 3000 x 256, built, painted, scrolled (ms) | %.1f | %.1f | bare QTableView | %.1f | %.1f | %.2fx | %.2fx |\n",
          ow, oc, tw, tc, ow / tw, oc / tc }'
fi

echo
files=(rows30000x20 texts30000x20 rows30000x256)
ours="" theirs=""
for f in "${files[@]}"; do
  ours+=" $(peak "$build/bench/load_csv" "$data/$f.sjis.csv")"
  theirs+=" $(peak sqlite3 :memory: -cmd '.mode csv' ".import $data/$f.utf8.csv t")"
done
echo "Peak memory (MB) of the load of ${files[*]}: load_csv$ours; sqlite3$theirs."
echo "Median of $runs rounds; $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
