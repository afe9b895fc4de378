#!/usr/bin/env bash
# Runs every test: unit tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# short fuzzing runs, the builder's tests and the end-to-end tests of the real
# player under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DZELTO_SANITIZE=ON -DZELTO_DIST="$root/dist" -DZELTO_WINDOWS_BUILD="$root/build/windows" >/dev/null
cmake --build build/test

ctest --test-dir build/test --output-on-failure -j2
