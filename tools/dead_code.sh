#!/usr/bin/env bash
# Lists the functions of the program's libraries that nothing links: neither the
# program, nor a test, a benchmark or a tool. The build keeps every function out of
# line (no optimisation) and lets the linker drop each function section that
# nothing reaches, so a function missing from every executable is called by
# nobody. Exits 1 when it finds one. Build folder: build-dead.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
dir=build-dead
mkdir -p "$dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g0" \
  -DCMAKE_CXX_FLAGS="-ffunction-sections" -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections" >/dev/null
if ! cmake --build "$dir" -j "$(nproc)" >"$dir/build.log" 2>&1; then
  echo "dead code: build: FAILED"; grep -m 20 -A 5 'error' "$dir/build.log"; exit 1
fi

# Names are compared demangled: the variants of a constructor or destructor
# (complete, base, deleting) read as one name. tools/dead_code.allow lists the
# functions kept on purpose, each with its reason.
allowed() { grep -v -e '^#' -e '^$' tools/dead_code.allow | sed 's/  *#.*//' | sort -u; }

# Functions defined in the libraries' own objects (not the code Qt's moc writes).
defined=$(mktemp); linked=$(mktemp)
trap 'rm -f "$defined" "$linked"' EXIT
for lib in "$dir"/lib*.a; do
  nm --defined-only -A "$lib" 2>/dev/null |
    awk '$2 == "T" && $1 !~ /(mocs_compilation|moc_|qrc_|empty_)[^:]*\.o:/ { print $3 }'
done | c++filt | sort -u >"$defined"

# Functions present in any executable that was linked.
find "$dir" -type f -perm -u+x ! -name '*.so*' ! -path '*/CMakeFiles/*' -print0 |
  while IFS= read -r -d '' exe; do
    head -c 4 "$exe" | grep -q 'ELF' && nm --defined-only "$exe" 2>/dev/null | awk '{ print $3 }'
  done | c++filt | sort -u >"$linked"

dead=$(comm -23 "$defined" "$linked" | comm -23 - <(allowed))
if [ -n "$dead" ]; then
  echo "dead code: functions nothing calls:"
  printf '%s\n' "$dead" | sed 's/^/  /'
  echo "dead code: FAILED"
  exit 1
fi
echo "dead code: ok"
