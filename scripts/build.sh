#!/usr/bin/env bash
# Builds everything: the native builder and the Windows player and builder.
# Outputs: dist/zelto.exe, dist/zelto-build, dist/zelto-build.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/release

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/windows

mkdir -p dist
cp build/windows/zelto.exe dist/zelto.exe
cp build/windows/builder/zelto-build.exe dist/zelto-build.exe
cp build/release/builder/zelto-build dist/zelto-build
echo "Built: dist/zelto.exe dist/zelto-build dist/zelto-build.exe"
