#!/usr/bin/env bash
# Builds the Debian package (Release): lumesco_<version>_amd64.deb in the repository's folder,
# checked with lintian. Install it with: apt install ./lumesco_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

build=build/release  # shared with scripts/run.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target lumesco lumesco-cli zupri-sim ZupriDLL lumesco_package_files
rm -f "$build"/lumesco_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lumesco_*_amd64.deb)
cp "$deb" .
lintian --fail-on error "$(basename "$deb")"
echo "Pacote: $PWD/$(basename "$deb")"
