#!/usr/bin/env bash
# Starts the built program under a virtual X server with the given arguments,
# waits until one of its windows is up, and saves a PNG of the whole screen.
#
#   tools/screenshot.sh OUT.png [ARGUMENT...]
#
# The program runs from a copy in a temporary folder (its settings files are
# written beside it, never into build/) with its own lock folder, so a
# running instance is not disturbed. Relative arguments are taken from the
# current folder, as in a terminal. Environment: TABRO_BIN (default
# build/TabroConnect), TABRO_FILES (a folder whose files are copied beside the
# program first, such as the stand-in's settings files), TABRO_SCREEN (default 1024x768x24), TABRO_WAIT seconds
# for the window (default 15). Exits 1 when no window came up.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 OUT.png [ARGUMENT...]" >&2
  exit 2
fi
out=$(realpath -m "$1")
shift

root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh"
bin=${TABRO_BIN:-$root/build/TabroConnect}
if [ ! -x "$bin" ]; then
  echo "no program at $bin: build it first" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin" "$work/TabroConnect"
mkdir -p "$work/res" && ln -s "$root/res/images" "$work/res/images"   # as installed beside it
grab=$(dirname "$bin")/tests/tabro_screen_grab
if [ ! -x "$grab" ]; then
  echo "no $grab: build the tests first" >&2
  exit 2
fi
if [ -n "${TABRO_FILES:-}" ]; then
  cp -r "$TABRO_FILES"/. "$work/"
fi
mkdir -m 700 "$work/run"

# Inside the virtual server: start, wait for a mapped window, grab, stop.
# (A script file: xvfb-run's shell would drop an exported function.)
cat > "$work/inner.sh" <<'INNER'
set -u
work=$1 out=$2 wait=$3 grab=$4
shift 4
XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb "$work/TabroConnect" "$@" &
pid=$!
up=0
for _ in $(seq $((wait * 10))); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"TabroConnect"'; then
    up=1
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ "$up" = 1 ]; then
  sleep 1   # let it paint
  # The root window as the display shows it (xwd draws some windows black).
  "$grab" "$out" >/dev/null
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ "$up" = 1 ]
INNER

if xvfb-run -a -s "-screen 0 ${TABRO_SCREEN:-1024x768x24}" bash "$work/inner.sh" "$work" "$out" "${TABRO_WAIT:-15}" "$grab" "$@"; then
  echo "$out"
else
  echo "no window of the program came up" >&2
  exit 1
fi
