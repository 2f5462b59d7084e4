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
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=compare_jobs.sh
source "$(dirname "$0")/compare_jobs.sh"

echo "| task | program | wall s (median) | CPU s (median) |"
echo "|---|---|---|---|"
table_row "load and print only" replay_tools "$build/bench/replay_tools" "$sjis" "$work/none.txt"
table_row sort replay_tools "$build/bench/replay_tools" "$sjis" "$work/sort.txt"
table_row sort sqlite3 "${sqlite20[@]}" "$sort_sql"
table_row sort "mlr sort" "${sort_mlr[@]}"
table_row filter replay_tools "$build/bench/replay_tools" "$sjis" "$work/filter.txt"
table_row filter sqlite3 "${sqlite20[@]}" "$filter_sql"
table_row filter "mlr filter" "${filter_mlr[@]}"
