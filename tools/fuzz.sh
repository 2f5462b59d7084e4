#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds on its
# seed corpus (copied, so the corpus in the tree is never changed). Fails on any
# crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTABRO_FUZZ=ON -DTABRO_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"
failed=0
for target in build-fuzz/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  [ -d "fuzz/corpus/${name%_fuzz}" ] && cp -r "fuzz/corpus/${name%_fuzz}/." "$work/"
  # From a folder of its own: a target may write settings files where it runs.
  mkdir "$work.cwd"
  if (cd "$work.cwd" && "$OLDPWD/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$work/" "$work") >"$work.log" 2>&1; then
    echo "fuzz: $name: ok"
  else
    echo "fuzz: $name: FAILED"; tail -n 40 "$work.log"; failed=1
  fi
  rm -rf "$work" "$work.log" "$work.cwd"
done
exit $failed
