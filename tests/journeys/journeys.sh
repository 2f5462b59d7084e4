#!/usr/bin/env bash
# Journeys: the built program as a user drives it. Under a virtual X server with
# openbox, real key presses and mouse clicks go through the X server (xdotool);
# the stand-in document service answers. Each step waits for its window by name
# with a deadline, saves a picture of the screen under OUT and checks that every
# window it waited for has painted; a failure names the journey and the step.
#
#   journeys.sh TABROCONNECT STANDIN SCREEN_GRAB OUT [JOURNEY...]
#
# run_command, named alone, is the README's first command on a fresh clone:
# tools/run.sh with the build folder of TABROCONNECT (its build step finds it
# current), no service configured, a CSV named on its command line. It exits 77
# (skipped) when that folder holds settings of an earlier run.
#
# The positions clicked are those of the dialogs' templates with the installed
# fonts, relative to the window's client area.
set -u

if [ $# -lt 4 ]; then
  echo "usage: $0 TABROCONNECT STANDIN SCREEN_GRAB OUT [JOURNEY...]" >&2
  exit 2
fi

if [ -z "${JOURNEY_DISPLAY_UP:-}" ]; then
  for tool in xvfb-run openbox xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "journeys: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
  done
  rm -rf "$4" && mkdir -p "$4"
  exec env JOURNEY_DISPLAY_UP=1 xvfb-run -a -s "-screen 0 1400x1000x24 -nolisten tcp" bash "$0" "$@"
fi

prog=$1 standin=$2 grab=$3 out=$4
shift 4
images=$(cd "$(dirname "$0")/../../res/images" && pwd)
export LC_ALL=C.UTF-8 TZ=Asia/Tokyo
unset QT_QPA_PLATFORM

openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Openbox"' && break
  sleep 0.1
done

journey="" step="" shot_no=0 work="" pid="" service_pid=""
failures=0 skipped=0

cleanup_journey() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
  pid="" service_pid=""
}
trap 'cleanup_journey; kill $wm 2>/dev/null' EXIT

fail() {
  echo "FAILED journey '$journey', step '$step': $*" >&2
  shot "failed" || true
  exit 1
}

# Saves the whole screen as the journey's next picture.
shot() {
  # Counted from the pictures already kept: steps run in subshells too.
  shot_no=$(($(find "$out" -maxdepth 1 -name "$journey-*.png" | wc -l) + 1))
  "$grab" "$out/$(printf '%s-%02d-%s' "$journey" "$shot_no" "$1").png" >/dev/null 2>&1
}

# The newest visible window whose name matches, waiting up to $2 seconds.
wait_window() {
  local name=$1 deadline=$((SECONDS + ${2:-20})) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | tail -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# How many windows named so are visible.
count_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

wait_count() {
  local name=$1 want=$2 deadline=$((SECONDS + ${3:-20}))
  while [ $SECONDS -lt $deadline ]; do
    [ "$(count_windows "$name")" -eq "$want" ] && return 0
    sleep 0.2
  done
  return 1
}

wait_gone() {  # window [seconds]
  local deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -lt $deadline ]; do
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.2
  done
  return 1
}

# Answers every message box over the main window with Return, checking that
# each paints first; at least one must come within the deadline.
answer_boxes() {  # label seconds
  local label=$1 box n=0
  wait_count 'タブロコネクト' 2 "${2:-20}" || fail "no message box"
  while [ "$(count_windows 'タブロコネクト')" -ge 2 ] && [ $n -lt 5 ]; do
    n=$((n + 1))
    box=$(xdotool search --onlyvisible --name 'タブロコネクト' | tail -n 1)
    check_paints "$box"
    shot "$label-$n"
    keys "$box" Return
    wait_gone "$box" || fail "Return did not close box $n"
    sleep 0.5
  done
}

wait_until() {  # seconds condition
  local deadline=$((SECONDS + $1))
  while [ $SECONDS -lt $deadline ]; do
    eval "$2" && return 0
    sleep 0.3
  done
  return 1
}

# A window has painted when its client area on the screen holds more than a
# few colours (a black or blank window holds one or two).
check_paints() {
  local id=$1 deadline=$((SECONDS + 10)) x y w h colours
  while [ $SECONDS -lt $deadline ]; do
    eval "$(xwininfo -id "$id" | sed -n \
      -e 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/x=\1/p' -e 's/^ *Absolute upper-left Y: *\(-*[0-9]*\)/y=\1/p' \
      -e 's/^ *Width: *\([0-9]*\)/w=\1/p' -e 's/^ *Height: *\([0-9]*\)/h=\1/p')"
    colours=$("$grab" "$out/paint-check.png" "$x" "$y" "$w" "$h" 2>/dev/null)
    [ "${colours:-0}" -gt 8 ] && return 0
    sleep 0.3
  done
  fail "window $(xdotool getwindowname "$id" 2>/dev/null) did not paint (${colours:-0} colours)"
}

# Waits for a window, checks it paints and keeps a picture.
see() {
  local name=$1 label=$2 id
  id=$(wait_window "$name" "${3:-20}") || fail "no window '$name' appeared"
  check_paints "$id"
  shot "$label"
  echo "$id"
}

click() {  # window x y [button]
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
  sleep 0.3
}

keys() {  # window key...
  local id=$1
  shift
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  xdotool key --delay 80 "$@"
  sleep 0.3
}

typed() {  # window text
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool type --delay 80 "$2"
  sleep 0.3
}

# A fresh program folder, home and stand-in service for each journey.
start_journey() {
  journey=$1 step="start" shot_no=0
  trap cleanup_journey EXIT
  echo "journey: $journey"
  work="$out/$journey.work"
  mkdir -p "$work/prog" "$work/home" "$work/in" "$work/bodies"
  mkdir -m 700 "$work/run"
  cp "$prog" "$work/prog/TabroConnect"
  mkdir -p "$work/prog/res" && ln -s "$images" "$work/prog/res/images"   # as installed beside it
  "$standin" --program-folder "$work/prog" --bodies "$work/bodies" ${standin_options:-} >"$work/service.log" 2>&1 &
  service_pid=$!
  for _ in $(seq 50); do
    [ -f "$work/prog/TabroSystem.ini" ] && break
    sleep 0.1
  done
  [ -f "$work/prog/TabroSystem.ini" ] || fail "the stand-in service did not start"
  sales_csv "$work/in/売上.csv"
}

# A small Shift_JIS sales list with times.
sales_csv() {
  printf '品名,数量,金額,開始,終了\r\nAPPLE,3,300,9:00,17:30\r\nMIKAN,5,250,8:15,12:00\r\n' |
    iconv -f UTF-8 -t SHIFT_JIS >"$1"
}

run_program() {
  (cd "$work" && HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
     exec "$work/prog/TabroConnect" "$@" >"$work/program.log" 2>&1) &
  pid=$!
}

# The body of the last document request the service received.
document_body() {
  local f
  f=$(grep -l 'csvdata=' "$work"/bodies/*.body 2>/dev/null | sort -t/ -k2 -V | tail -n 1)
  [ -n "$f" ] && cat "$f"
}

# From the command line to the sheet: the new-file dialog, Return, the sheet.
open_sheet() {
  step="new-file dialog"
  local dlg sheet
  dlg=$(see '新規ファイル作成モード' new-file-dialog) || exit 1
  step="Return on the new-file dialog"
  keys "$dlg" Return
  step="the settings sheet"
  sheet=$(see '売上\.csv' sheet) || exit 1
  echo "$sheet"
}

sheet_run() { click "$1" $(($2 - 125)) $(($3 - 27)); }   # 実行

sheet_size() { xwininfo -id "$1" | sed -n 's/^ *\(Width\|Height\): *\([0-9]*\)/\2/p' | tr '\n' ' '; }

# 実行 on the sheet, then the body of the document request it made.
run_and_read_body() {  # sheet width height
  step="実行"
  sheet_run "$1" "$2" "$3"
  local deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ] && ! document_body >/dev/null; do sleep 0.2; done
  document_body || fail "no document was asked for"
}

# The new-file dialog with the tools ticked, then one tool of the order
# dialog (its button at x y) and 実行.
choose_one_tool() {  # name x y
  local dlg order
  step="new-file dialog with the tools ticked"
  dlg=$(see '新規ファイル作成モード' new-file-dialog) || exit 1
  click "$dlg" 28 39
  keys "$dlg" Return
  step="the tool order: $1, 実行"
  order=$(see 'データ加工・集計ツール選択画面' tool-order) || exit 1
  click "$order" "$2" "$3"
  click "$order" 290 455
}

# The sheet the tools led to, 実行, and the body of the document request.
sheet_body() {
  local sheet w h
  step="the sheet after the tools"
  sheet=$(see '売上\.csv' sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  run_and_read_body "$sheet" "$w" "$h"
}

# The CSV page in edit mode: its tab, 編集, and Return on the question.
enter_edit_mode() {  # sheet
  local box
  click "$1" 155 24
  shot csv-page
  step="編集 (edit mode)"
  click "$1" 136 73
  wait_count 'タブロコネクト' 2 10 || fail "no question before edit mode"
  box=$(xdotool search --onlyvisible --name 'タブロコネクト' | tail -n 1)
  check_paints "$box"
  shot edit-mode-question
  keys "$box" Return
  wait_gone "$box" || fail "Return did not answer the question"
}

journey_command_line_to_pdf() {
  start_journey command-line-to-pdf
  run_program "$work/in/売上.csv"
  local sheet box
  sheet=$(open_sheet) || exit 1
  step="実行"
  read -r w h <<<"$(sheet_size "$sheet")"
  sheet_run "$sheet" "$w" "$h"
  local deadline=$((SECONDS + 30)) pdf=""
  while [ $SECONDS -lt $deadline ] && [ -z "$pdf" ]; do
    pdf=$(find "$work/home" -name '売上.pdf' 2>/dev/null | head -n 1)
    sleep 0.2
  done
  [ -n "$pdf" ] || fail "no 売上.pdf in the output folder"
  head -c 5 "$pdf" | grep -q '%PDF-' || fail "the saved document is not a PDF"
  step="the box after saving"
  answer_boxes saved 20
  [ -f "$work/in/売上.csv" ] || fail "the input was deleted"
  cleanup_journey
}

journey_csv_page_keys() {
  start_journey csv-page-keys
  run_program "$work/in/売上.csv"
  local sheet
  sheet=$(open_sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  enter_edit_mode "$sheet"
  step="arrows, Enter, F2 and typing"
  click "$sheet" 219 253           # row 2, column 2: the cell editor takes the focus
  keys "$sheet" Return Right Left  # Enter moves down to row 3 in the grid
  keys "$sheet" F2
  typed "$sheet" Z9
  keys "$sheet" Return Escape
  shot typed
  step="Delete of a selected column"
  click "$sheet" 117 211           # heading of column 1
  keys "$sheet" Delete
  shot column-deleted
  local body
  body=$(run_and_read_body "$sheet" "$w" "$h") || exit 1
  case "$body" in
    *'Z9%2C250%2C8%3A15'*) ;;
    *) fail "the typed cell is not row 3, column 2: $body" ;;
  esac
  case "$body" in
    *APPLE*|*MIKAN*) fail "column 1 was not deleted: $body" ;;
  esac
  cleanup_journey
}

journey_row_menu() {
  start_journey row-menu
  run_program "$work/in/売上.csv"
  local sheet
  sheet=$(open_sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  enter_edit_mode "$sheet"
  step="row 3 selected, then a right click on it"
  click "$sheet" 39 274
  click "$sheet" 39 274 3
  sleep 0.5
  shot row-menu
  step="削除 (D) in the menu"
  xdotool key d
  sleep 0.5
  shot row-deleted
  local body
  body=$(run_and_read_body "$sheet" "$w" "$h") || exit 1
  case "$body" in
    *MIKAN*) fail "row 3 was not deleted from the menu: $body" ;;
    *APPLE*) ;;
    *) fail "row 2 was lost: $body" ;;
  esac
  cleanup_journey
}

journey_clipboard_lf() {
  start_journey clipboard-lf
  run_program
  local main sheet
  main=$(see 'タブロコネクト' main-window) || exit 1
  # Copied while the program runs: its start empties the clipboard.
  step="a table with LF line ends on the clipboard"
  printf '品名\t数量\nAPPLE\t3\nMIKAN\t5\n' >"$work/clip.txt"
  "$(dirname "$grab")/tabro_clipboard_owner" "$work/clip.txt" >"$work/clip.log" 2>&1 &
  clip_pid=$!
  trap 'kill ${clip_pid:-} 2>/dev/null; cleanup_journey' EXIT
  for _ in $(seq 50); do grep -q ready "$work/clip.log" && break; sleep 0.1; done
  step="クリップボードから"
  click "$main" 185 165
  local name
  name=$(see 'CSVファイル名設定' name-dialog) || exit 1
  step="Return on the name dialog"
  keys "$name" Return
  step="the sheet on the clipboard table"
  sheet=$(see 'クリップボード' sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  local body
  body=$(run_and_read_body "$sheet" "$w" "$h") || exit 1
  case "$body" in
    *'APPLE%2C3%0D%0AMIKAN%2C5'*) ;;
    *) fail "the clipboard lines are not rows: $body" ;;
  esac
  kill "$clip_pid" 2>/dev/null
  cleanup_journey
}

journey_page_buttons() {
  start_journey page-buttons
  run_program "$work/in/売上.csv"
  local sheet dlg
  sheet=$(open_sheet) || exit 1
  step="書式優先(集計表)"
  click "$sheet" 180 169           # 時間差 serves the summary table
  click "$sheet" 155 24
  step="列選択"
  click "$sheet" 39 73
  dlg=$(see '列選択' column-choice 10) || exit 1
  keys "$dlg" Escape
  wait_count '列選択' 0 10 || fail "Esc did not close 列選択"
  step="ﾌｨﾙﾀ"
  click "$sheet" 231 73
  dlg=$(see 'フィルター' filter 10) || exit 1
  keys "$dlg" Escape
  wait_count 'フィルター' 0 10 || fail "Esc did not close フィルター"
  step="時間差"
  click "$sheet" 434 211           # heading of column 4 (開始)
  xdotool keydown shift
  click "$sheet" 540 211           # and with Shift column 5 (終了)
  xdotool keyup shift
  click "$sheet" 561 73
  dlg=$(see '時間差設定' time-span 10) || exit 1
  keys "$dlg" Escape
  wait_count '時間差設定' 0 10 || fail "Esc did not close 時間差設定"
  cleanup_journey
}

journey_service_down() {
  start_journey service-down
  run_program "$work/in/売上.csv"
  local sheet box
  sheet=$(open_sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  step="the service stops"
  kill "$service_pid" && wait "$service_pid" 2>/dev/null
  service_pid=""
  step="実行 with the service down"
  sheet_run "$sheet" "$w" "$h"
  answer_boxes failure 40
  [ -f "$work/in/売上.csv" ] || fail "the input was deleted"
  [ -z "$(find "$work/home" -name '*.pdf')" ] || fail "a document was saved"
  cleanup_journey
}

journey_filter_in_chain() {
  start_journey filter-in-chain
  run_program "$work/in/売上.csv"
  local filter body
  choose_one_tool フィルタ 355 220
  step="a click on the first value's box"
  filter=$(see '^フィルタ$' filter) || exit 1
  click "$filter" 23 90
  shot value-checked
  step="フィルタ実行"
  click "$filter" 477 579
  body=$(sheet_body) || exit 1
  case "$body" in
    *MIKAN*) fail "the row the filter left out was sent: $body" ;;
    *APPLE*) ;;
    *) fail "the checked row was not sent: $body" ;;
  esac
  cleanup_journey
}

# Drags the mouse with the left button held, in steps, within a window.
drag() {  # window x1 y1 x2 y2
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool mousemove --window "$1" "$2" "$3" mousedown 1
  local i
  for i in 1 2 3 4 5 6; do
    xdotool mousemove --window "$1" $(($2 + ($4 - $2) * i / 6)) $(($3 + ($5 - $3) * i / 6))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}

journey_join_by_drag() {
  start_journey join-by-drag
  printf '品名,産地\r\nMIKAN,愛媛\r\nAPPLE,青森\r\n' >"$work/in/産地.csv"
  run_program "$work/in/売上.csv"
  local view chooser body
  choose_one_tool 追加CSVファイル 355 140
  step="CSV追加 in the join editor"
  view=$(see '【売上】' join-editor) || exit 1
  click "$view" 49 458
  step="the additional CSV typed into the file chooser"
  chooser=$(see 'データ元CSVファイル選択' file-chooser) || exit 1
  typed "$chooser" "$work/in/産地.csv"
  keys "$chooser" Return
  step="a link dragged from 品名 to 品名"
  view=$(see '【売上】/【産地】' two-lists) || exit 1
  drag "$view" 71 52 298 52
  shot linked
  step="実行 in the join editor"
  click "$view" 726 458
  body=$(sheet_body) || exit 1
  # 青森 and 愛媛, percent-encoded, beside their rows.
  case "$body" in
    *'17%3A30%2C%E9%9D%92%E6%A3%AE'*'12%3A00%2C%E6%84%9B%E5%AA%9B'*) ;;
    *) fail "the joined column is not in the rows sent: $body" ;;
  esac
  cleanup_journey
}

# A reusable job for 売上 whose chain holds all five tools, replayed without
# their dialogs: join, filter, sort, aggregation, macro column.
write_five_tool_job() {
  printf '品名,産地\r\nMIKAN,愛媛\r\nAPPLE,青森\r\n' >"$work/in/産地.csv"
  printf 'CommandReUse=1\r\n' >"$work/prog/TabroUserSetting.ini"
  printf '"売上","TypeTX","PDF","売上",0,0,0,"02-00/03-00/04-00/01-00/05-00"\n' >"$work/prog/ReuseCommandFile.txt"
  mkdir -p "$work/prog/DataEditTool"
  cat >"$work/prog/DataEditTool/売上.txt" <<EOF
@Header
Version=1.0
EditInf=0,2,0
EditInf=1,3,0
EditInf=2,4,0
EditInf=3,1,0
EditInf=4,5,0

@AddCSV
AddCSVFg=0
SerealFg=0
AddCsvCnt=1
AddColms=0
AddCsvUpdateFg=0
AddCsv=0,2,3,0,"$work/in/産地.csv","産地"
AdelSelect=0,0,0,0
ListPosition=0,0,0,0,0
ListPosition=1,0,0,0,0
ArrayCount=0,1
AlignArry=0,0,0,1,0,0
ArrayCount=1,0
ArrayCount=2,0

@Filter
FilterCnt=1
ItemCnt=1
filter=0,1,1,1,1
filterKey=0,0,"1"

@Sort
sortCnt=1
sortdata=0,2,1,1

@Pivot
Colms=6
SumType=0
SumStyl=0
TotalFg=0
NendMonth=4
SumClmArryCount=1
SumClmArry=0,2,1,0
GrpClmArryCount=1
GrpClmArry=0,0,1,0,1,0,0,0,0

@Macro
colms=2
EditDatclms=2
ClmArry_Count=3
ClmArry=0,1,0,"","品名"
ClmArry=1,2,0,"","金額"
ClmArry=2,-1,1,"Accumu([金額])","累計"
EOF
}

journey_confirmation_slots() {
  start_journey confirmation-slots
  write_five_tool_job
  run_program "$work/in/売上.csv"
  local choice sheet form dlg
  step="再利用ジョブ選択"
  choice=$(see '再利用ジョブ選択' job-choice) || exit 1
  step="a double click on the job"
  xdotool windowactivate --sync "$choice" >/dev/null 2>&1 || true
  xdotool mousemove --window "$choice" 100 108 click --repeat 2 --delay 80 1
  step="the sheet after the five tools"
  sheet=$(see '売上\.csv' sheet) || exit 1
  read -r w h <<<"$(sheet_size "$sheet")"
  step="メニュー確認"
  click "$sheet" 82 449
  form=$(see 'データ加工・集計ツール選択画面' confirmation-form 10) || exit 1
  # Each slot, top to bottom, opens its tool's dialog; Esc closes it and the
  # form stays.
  local slot_y=(100 170 239 310 378)
  local names=('【売上】/【産地】' 'フィルタ' 'ソート' 'データ集計【確認モード】' '並び替え・演算')
  local labels=(join filter sort aggregation macro)
  for i in 0 1 2 3 4; do
    step="slot $((i + 1)) (${labels[$i]})"
    click "$form" 87 "${slot_y[$i]}"
    dlg=$(see "${names[$i]}" "slot-${labels[$i]}" 10) || exit 1
    keys "$dlg" Escape
    wait_gone "$dlg" || fail "Esc did not close the ${labels[$i]} dialog"
    [ "$(count_windows 'データ加工・集計ツール選択画面')" -eq 1 ] || fail "the confirmation form closed"
  done
  step="終了 on the confirmation form"
  keys "$form" Escape
  wait_gone "$form" || fail "Esc did not close the confirmation form"
  # Viewing changed nothing: the document gets what the chain made.
  local body
  body=$(run_and_read_body "$sheet" "$w" "$h") || exit 1
  case "$body" in
    *'APPLE%2C300%2C300%0D%0AMIKAN%2C250%2C550'*) ;;
    *) fail "the chain's result is not what was sent: $body" ;;
  esac
  cleanup_journey
}

# The program's own files in its folder; a fresh clone has none of them (an
# empty folder or a lock file holds no settings).
program_files=(TabroDeployment.ini TabroSystem.ini TabroSystemOnpremises.ini TabroUserSetting.ini
               TabroConnectInf.txt ReuseCommandFile.txt ReuseCommandFile.lock DataEditTool TestModeOutTemp)

# Removes what the run made in the build folder.
remove_made() {
  local name
  for name in "${made[@]}"; do rm -rf "${build:?}/$name"; done
  made=()
}

journey_run_command() {
  journey=run-command step="a fresh program folder"
  local root name status sheet w h pdf deadline url dlg
  root=$(cd "$(dirname "$0")/../.." && pwd)
  build=$(cd "$(dirname "$prog")" && pwd) made=() run_pid=""
  for name in "${program_files[@]}"; do
    if [ ! -e "$build/$name" ] && [ ! -L "$build/$name" ]; then
      made+=("$name")
    elif ! { [ -d "$build/$name" ] && [ -z "$(ls -A "$build/$name")" ]; } && [ "${name%.lock}" = "$name" ]; then
      echo "journey run-command: skipped: $build holds $name of an earlier run, not a fresh clone's build folder"
      exit 77
    fi
  done
  # The user's folders are temporary ones, and what the run makes in the build
  # folder goes when the journey ends, also when it fails.
  # A failed step leaves the program and the stand-in running: run.sh's children go first.
  trap 'if [ -n "$run_pid" ]; then kill $(pgrep -P "$run_pid") "$run_pid" 2>/dev/null; wait "$run_pid"; fi
        remove_made' EXIT
  work="$out/$journey.work"
  mkdir -p "$work/home/.config" "$work/home/.local/share" "$work/home/.cache" "$work/in"
  mkdir -m 700 "$work/run"
  sales_csv "$work/in/売上.csv"
  step="bash tools/run.sh 売上.csv"
  (cd "$work/in" && exec env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
     XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" \
     TABRO_BUILD="$build" QT_QPA_PLATFORM=xcb bash "$root/tools/run.sh" 売上.csv >"$work/run.log" 2>&1) &
  run_pid=$!
  step="the new-file dialog"
  dlg=$(see '新規ファイル作成モード' new-file-dialog 120) || fail "$(cat "$work/run.log")"
  grep -q '^Documents come from the local stand-in service' "$work/run.log" ||
    fail "no line about the local stand-in: $(cat "$work/run.log")"
  url=$(sed -n 's/^Documents come from the local stand-in service (\([^,]*\),.*/\1/p' "$work/run.log")
  step="Return on the new-file dialog"
  keys "$dlg" Return
  step="the settings sheet"
  sheet=$(see '売上\.csv' sheet) || exit 1
  step="実行"
  read -r w h <<<"$(sheet_size "$sheet")"
  sheet_run "$sheet" "$w" "$h"
  deadline=$((SECONDS + 30)) pdf=""
  while [ $SECONDS -lt $deadline ] && [ -z "$pdf" ]; do
    pdf=$(find "$work/home/Desktop" -name '売上.pdf' 2>/dev/null | head -n 1)
    sleep 0.2
  done
  [ -n "$pdf" ] || fail "no 売上.pdf in the output folder: $(cat "$work/run.log")"
  head -c 5 "$pdf" | grep -q '%PDF-' || fail "the saved document is not a PDF"
  step="the box after saving"
  answer_boxes saved 20
  step="the program ends, and the stand-in with it"
  deadline=$((SECONDS + 20))
  while [ $SECONDS -lt $deadline ] && kill -0 "$run_pid" 2>/dev/null; do sleep 0.2; done
  kill -0 "$run_pid" 2>/dev/null && fail "the program did not end after its command-line file"
  status=0
  wait "$run_pid" || status=$?
  run_pid=""
  [ "$status" -eq 0 ] || fail "tools/run.sh ended with $status: $(cat "$work/run.log")"
  . "$root/tools/local_service.sh"
  local_service_answers "$url" && fail "the stand-in still answers at $url"
  for name in TabroDeployment.ini TabroSystem.ini; do
    [ -e "$build/$name" ] && fail "the stand-in left $build/$name behind"
  done
  [ -f "$work/in/売上.csv" ] || fail "the input was deleted"
  remove_made
}

# The watch folder under ordinary accidents, with a slow service: a link is left
# alone and nothing is sent for it; a file its writer holds open is not taken
# until the writer closes it; a new version renamed over a file while that is
# being sent survives the job and is sent in its turn; the notice that no
# program opens the documents holds none of this up.
journey_watch_folder() {
  standin_options="--document-delay 1500" start_journey watch-folder
  mkdir -p "$work/watch"
  printf 'WatchingMode=1\r\nWatching01=%s\r\n' "$work/watch" >"$work/prog/TabroConnectInf.txt"
  printf 'item,qty\r\nSECRET,9\r\n' >"$work/in/secret.csv"
  ln -s "$work/in/secret.csv" "$work/watch/leak(#TypeL).csv"
  run_program
  see 'タブロコネクト' main-window >/dev/null || exit 1
  step="a writer holds its file open and pauses"
  local open="$work/watch/open(#TypeL).csv" daily="$work/watch/daily(#TypeL).csv"
  exec 7>"$open"
  printf 'item,qty\r\nHALF,1\r\n' >&7
  sleep 4
  [ -e "$open" ] || fail "the file was taken while its writer held it"
  [ -z "$(document_body)" ] || fail "something was sent while the writer held its file"
  step="the writer ends"
  printf 'REST,2\r\n' >&7
  exec 7>&-
  wait_until 30 '[ ! -e "$open" ]' || fail "the closed file was not taken"
  case "$(document_body)" in *HALF*REST*) ;; *) fail "rows are missing: $(document_body)" ;; esac
  step="a new version renamed over the file being sent"
  printf 'item,qty\r\nDAYONE,1\r\n' >"$work/in/part" && mv "$work/in/part" "$daily"
  wait_until 30 'document_body | grep -q DAYONE' || fail "the first version was not sent"
  printf 'item,qty\r\nDAYTWO,2\r\n' >"$work/in/part" && mv "$work/in/part" "$daily"
  wait_until 30 'document_body | grep -q DAYTWO' || fail "the new version was deleted unsent"
  wait_until 20 '[ ! -e "$daily" ]' || fail "the new version stayed after its document"
  step="the link"
  shot watched
  # No program opens the documents here: one notice, which held nothing up.
  [ "$(count_windows 'タブロコネクト')" -le 2 ] || fail "more than one box over the main window"
  [ -L "$work/watch/leak(#TypeL).csv" ] || fail "the link was deleted"
  [ -f "$work/in/secret.csv" ] || fail "the link's target was deleted"
  ! grep -q SECRET "$work"/bodies/*.body || fail "the link's target was sent"
  cleanup_journey
}

all=(command_line_to_pdf csv_page_keys row_menu page_buttons filter_in_chain join_by_drag confirmation_slots
     service_down clipboard_lf watch_folder)
chosen=("$@")
[ ${#chosen[@]} -eq 0 ] && chosen=("${all[@]}")
for j in "${chosen[@]}"; do
  ( "journey_$j" )
  case $? in
    0) echo "journey $j: ok" ;;
    77) skipped=$((skipped + 1)) ;;
    *) echo "journey $j: FAILED"
       failures=$((failures + 1)) ;;
  esac
  cleanup_journey
done
echo "journeys: $((${#chosen[@]} - failures - skipped)) passed, $failures failed, $skipped skipped"
[ "$failures" -eq 0 ] || exit 1
[ "$skipped" -lt ${#chosen[@]} ] || exit 77
