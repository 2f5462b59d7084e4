#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit
# tests (CTest), a short run of each fuzz target on its seed corpus, and the unit
# tests again under the sanitizers (tools/sanitize.sh; SANITIZE=0 leaves them out),
# and the check that every library function is linked (tools/dead_code.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

export TZ=Asia/Tokyo LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABRO_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
unit_status=0
ctest --test-dir build --output-on-failure -j "$jobs" | tee "$log" || unit_status=$?
fuzz_status=0
bash tools/fuzz.sh "${FUZZ_SECONDS:-5}" | tee -a "$log" || fuzz_status=$?
sanitize_status=0
if [ "${SANITIZE:-1}" != 0 ]; then
  bash tools/sanitize.sh | tee -a "$log" || sanitize_status=$?
fi
dead_status=0
bash tools/dead_code.sh | tee -a "$log" || dead_status=$?

# One closing line over both kinds of test.
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
unit_failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
fuzz_ok=$(grep -c ': ok$' "$log" || true)            # fuzz, sanitizer and dead-code runs
fuzz_failed=$(grep -c ': FAILED$' "$log" || true)
passed=$(( ${total:-0} - ${unit_failed:-0} + fuzz_ok ))
failed=$(( ${unit_failed:-0} + fuzz_failed ))
[ "$unit_status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
[ "$fuzz_status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
[ "$sanitize_status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
[ "$dead_status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
