#!/usr/bin/env bash
# Prints the benchmark figures (not part of the tests: these machines are
# shared and noisy).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build.sh
for b in build/release/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] && "$b"
done
for s in bench/*.sh; do
  [ -f "$s" ] && bash "$s"
done
