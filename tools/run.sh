#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it with the given
# arguments (relative file names are taken from the current folder).
#
# Documents come from the local stand-in service, started for this run and
# stopped when the program ends, unless the program folder (the build folder)
# holds a service configuration of the user's own (tools/local_service.sh).
# The program's exit status is the script's. TABRO_BUILD names the build
# folder (default build/ of the source tree).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TABRO_BUILD:-$root/build}
bash "$root/tools/install-deps.sh"
# An existing build keeps its own options; the build step reconfigures it when needed.
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target TabroConnect tabro_standin

. "$root/tools/local_service.sh"
trap local_service_stop EXIT
local_service_start "$build" "$build/tests/tabro_standin"
status=0
"$build/TabroConnect" "$@" || status=$?
exit "$status"
