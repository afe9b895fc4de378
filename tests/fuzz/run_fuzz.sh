#!/usr/bin/env bash
# A short fuzzing run for CTest: a fresh working corpus each time, grown from
# the generated seeds, so repeated runs do not pile up inputs in the build tree.
# A failing input is kept in the current directory and dumped to the log.
# Usage: run_fuzz.sh <fuzzer> <seed directory> <seconds>
set -euo pipefail
fuzzer=$1
seeds=$2
seconds=$3
name=$(basename "$fuzzer")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$PWD/$name-" "$work" "$seeds" || status=$?
if [ "$status" -ne 0 ]; then
  for found in "$PWD/$name"-*; do
    [ -f "$found" ] && { echo "failing input: $found"; od -A d -t x1 "$found" | head -40; }
  done
fi
exit "$status"
