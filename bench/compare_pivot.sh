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

echo "| task | program | wall s (median) | CPU s (median) |"
echo "|---|---|---|---|"
table_row "two levels, subtotals" replay_tools "$build/bench/replay_tools" "$sjis" "$work/simple.txt"
table_row "two levels, subtotals" sqlite3 "${sqlite20[@]}" "$simple_sql"
table_row "two levels, subtotals" "mlr stats1" "${simple_mlr[@]}"
table_row "cross table" replay_tools "$build/bench/replay_tools" "$sjis" "$work/cross.txt"
table_row "cross table" sqlite3 "${sqlite20[@]}" "$cross_sql"
table_row "cross table" "mlr stats1" "${cross_mlr[@]}"
