#!/usr/bin/env bash
# Runs every fuzz target with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer for
# a bounded time each: scripts/fuzz.sh [seconds per target, 60] [target ...]
# The seed corpora in tests/fuzz/corpus are read, never written; new interesting inputs go to
# build/fuzz/corpus. A crash, leak or undefined behaviour is kept in tests/fuzz/findings/ — add it
# to the target's corpus once fixed, so the test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/deps.sh clang libclang-rt-14-dev

build=build/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMESCO_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(ls tests/fuzz/corpus))
fi
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

mkdir -p tests/fuzz/findings
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt keeps a few allocations for the life of the process; leaks of a single input still count.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
failed=()
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== fuzz_$target: $seconds s"
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="tests/fuzz/findings/$target-" "$work" "tests/fuzz/corpus/$target" \
       >"$build/fuzz_$target.log" 2>&1; then
    failed+=("$target")
    tail -40 "$build/fuzz_$target.log"
  else
    grep -E "^Done|#[0-9]+.*DONE" "$build/fuzz_$target.log" | tail -1 || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Achados em: ${failed[*]} (veja tests/fuzz/findings/)"
  exit 1
fi
echo "Nenhum achado em ${#targets[@]} alvos."
