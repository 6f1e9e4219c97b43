#!/usr/bin/env bash
# Builds everything and runs every test (widgets on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# The suites that run on both engines need a PostgreSQL server: a throw-away one, stopped at exit.
cluster=$(mktemp -d /tmp/lumesco-pg-XXXXXX)
trap 'bash scripts/pg-cluster.sh stop "$cluster"' EXIT
LUMESCO_TEST_POSTGRESQL=$(bash scripts/pg-cluster.sh start "$cluster")
export LUMESCO_TEST_POSTGRESQL
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
