#!/usr/bin/env bash
# The program's windows over the same demo school, kept in a folder and in a year on a PostgreSQL
# server, drawn under Xvfb by the program itself (tests/app/uiprogram) and saved as PNGs; then
# each pair is compared pixel by pixel. The screen is a laptop's 1280×800, the smallest the
# windows are made to fit. Only what says where the data are should differ: the main window's
# status bar, the backup window's "Dados:", the users' and export windows' paths, and the
# server's own button in the import of booklet values ("Ano no Servidor...").
#   bash scripts/window-screens.sh [DIR]     (default /tmp/lumesco-telas)
# A server already running may be named with LUMESCO_TEST_POSTGRESQL; else a throw-away one is
# started and stopped.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-/tmp/lumesco-telas}
build=build/test
[ -d "$build" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target test_app_ProgramWindowsTest >/dev/null
if [ -z "${LUMESCO_TEST_POSTGRESQL:-}" ]; then
  cluster=$(mktemp -d /tmp/lumesco-pg-XXXXXX)
  trap 'bash scripts/pg-cluster.sh stop "$cluster"' EXIT
  LUMESCO_TEST_POSTGRESQL=$(bash scripts/pg-cluster.sh start "$cluster")
  export LUMESCO_TEST_POSTGRESQL
fi

rm -rf "$out"
mkdir -p "$out"
for engine in "" postgresql; do
  LUMESCO_TEST_ENGINE=$engine LUMESCO_SCREENSHOTS=$out LUMESCO_NO_SHELL=1 \
    xvfb-run -a -s "-screen 0 1280x800x24" "$build/tests/app/test_app_ProgramWindowsTest" -platform xcb \
    2>&1 | grep -E '^(PASS|FAIL|Totals)' || true
done

for folder in "$out"/*-pasta.png; do
  server=${folder%-pasta.png}-servidor.png
  differ=$(compare -metric AE "$folder" "$server" null: 2>&1 || true)
  printf '%-28s %s\n' "$(basename "${folder%-pasta.png}")" "$differ pixels differ"
done
echo "telas em $out"
