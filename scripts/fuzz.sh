#!/usr/bin/env bash
# A longer fuzzing campaign than the tests run: each target in turn for
# FUZZ_SECONDS (default 600), keeping its corpus in build/fuzz/corpus/ from
# one campaign to the next. Failing inputs land in build/fuzz/findings/.
# Usage: scripts/fuzz.sh [lzw|content ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-600}
targets=("$@")
((${#targets[@]})) || targets=(lzw content)

scripts/deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz --target fuzz_seeds $(printf 'fuzz_%s ' "${targets[@]}")

mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  # Code streams long enough to fill the dictionary and reset it.
  extra=()
  [ "$target" = lzw ] && extra=(-max_len=16384)
  echo "== fuzz_$target for ${seconds}s, corpus $corpus"
  build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" "${extra[@]}" \
    "$corpus" "build/fuzz/tests/fuzz/seeds/$target"
done
