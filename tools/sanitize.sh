#!/usr/bin/env bash
# Builds the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs them all, then builds the loader's and the string's tests with
# ThreadSanitizer and runs those, then the watch thread's tests with the window
# layer. Fails on any test failure or sanitizer report.
# Build folders: build-asan, build-tsan, build-tsan-ui.
# No -Werror here: under the sanitizers GCC 12 warns falsely inside libstdc++
# (-Wmaybe-uninitialized in std_function.h, -Wrestrict in char_traits.h).
set -euo pipefail
cd "$(dirname "$0")/.."
export TZ=Asia/Tokyo LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
status=0

# Leaks in the libraries under the window layer (fonts, Qt's own caches) are not ours.
supp=$(mktemp)
trap 'rm -f "$supp"' EXIT
printf 'leak:libfontconfig\nleak:libQt6\nleak:libglib\nleak:libdbus\n' > "$supp"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABRO_BUILD_BENCH=OFF \
  -DTABRO_SANITIZE=address,undefined >/dev/null
if ! cmake --build build-asan -j "$jobs" >build-asan/build.log 2>&1; then
  echo "sanitize: address,undefined build: FAILED"; grep -m 20 -A 5 'error' build-asan/build.log; exit 1
fi
if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$supp" \
   UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
   ctest --test-dir build-asan --output-on-failure -LE journey -j "$jobs" >build-asan/ctest.log 2>&1; then
  echo "sanitize: address,undefined: ok"
else
  echo "sanitize: address,undefined: FAILED"; tail -n 60 build-asan/ctest.log; status=1
fi

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABRO_BUILD_BENCH=OFF \
  -DTABRO_BUILD_UI=OFF -DTABRO_SANITIZE=thread >/dev/null
if ! cmake --build build-tsan -j "$jobs" --target grid_tests platform_tests >build-tsan/build.log 2>&1; then
  echo "sanitize: thread build: FAILED"; grep -m 20 -A 5 'error' build-tsan/build.log; exit 1
fi
tsan() {
  local name=$1; shift
  if TSAN_OPTIONS=halt_on_error=1 "$@" >"build-tsan/$name.log" 2>&1; then
    echo "sanitize: thread, $name: ok"
  else
    echo "sanitize: thread, $name: FAILED"; tail -n 60 "build-tsan/$name.log"; status=1
  fi
}
tsan loader build-tsan/tests/grid_tests --gtest_filter='CsvLoader*:TextGrid*:GridSet*:DetectColumnTypes*'
tsan string build-tsan/tests/platform_tests --gtest_filter='CString*'

# The watch thread against the window's rewrite of its folder needs the window layer.
cmake -S . -B build-tsan-ui -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABRO_BUILD_BENCH=OFF \
  -DTABRO_SANITIZE=thread >/dev/null
if ! cmake --build build-tsan-ui -j "$jobs" --target app_ui_tests >build-tsan-ui/build.log 2>&1; then
  echo "sanitize: thread (window layer) build: FAILED"; grep -m 20 -A 5 'error' build-tsan-ui/build.log; exit 1
fi
tsan watch build-tsan-ui/tests/app_ui_tests --gtest_filter='WatchJobTest.*'
exit $status
