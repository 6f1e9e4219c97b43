#!/usr/bin/env bash
# Builds the program (Release) and starts it in its working folder, run/ beside this script's
# parent. The first start creates a demo school there; LUMESCO_EMPTY=1 starts without it.
# Without a display (no $DISPLAY) the program runs inside Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target lumesco lumesco-cli

workdir=${LUMESCO_WORKDIR:-$PWD/run}
mkdir -p "$workdir"
cli="$PWD/$build/src/cli/lumesco-cli"
if [ -z "${LUMESCO_EMPTY:-}" ] && [ ! -e "$workdir/Data" ] && "$cli" --help | grep -q '^  init '; then
  year=$(date +%Y)
  "$cli" --program-dir "$workdir" years >/dev/null
  "$cli" init "$workdir/Data" --year "$year" --demo
fi

# The help pages ship with the program: the program directory's AJUDA folder.
mkdir -p "$workdir/AJUDA" && cp -r AJUDA/. "$workdir/AJUDA/"

cd "$workdir"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$OLDPWD/$build/src/app/lumesco" "$@"
fi
exec "$OLDPWD/$build/src/app/lumesco" "$@"
