#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit
# tests (CTest) and a short run of each fuzz target on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

export TZ=Asia/Tokyo LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

bash tools/fuzz.sh "${FUZZ_SECONDS:-5}"
