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
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=compare_jobs.sh
source "$(dirname "$0")/compare_jobs.sh"

declare -A times
run() {
  local key=$1
  shift
  /usr/bin/time -f "%e %U %S" -o "$work/t" "$@" >/dev/null 2>&1
  times[$key]+="$(tail -n 1 "$work/t")"$'\n'
}
for _ in $(seq "$runs"); do
  run tabro "$build/bench/replay_tools" "$sjis" "$work/macro.txt"
  run sqlite "${sqlite20[@]}" "$macro_sql"
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
