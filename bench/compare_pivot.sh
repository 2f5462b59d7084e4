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
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=compare_jobs.sh
source "$(dirname "$0")/compare_jobs.sh"

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
row "two levels, subtotals" replay_tools "$build/bench/replay_tools" "$sjis" "$work/simple.txt"
row "two levels, subtotals" sqlite3 "${sqlite20[@]}" "$simple_sql"
row "two levels, subtotals" "mlr stats1" "${simple_mlr[@]}"
row "cross table" replay_tools "$build/bench/replay_tools" "$sjis" "$work/cross.txt"
row "cross table" sqlite3 "${sqlite20[@]}" "$cross_sql"
row "cross table" "mlr stats1" "${cross_mlr[@]}"
