#!/usr/bin/env bash
# Builds everything and runs every test (widgets on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
