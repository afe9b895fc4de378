#!/usr/bin/env bash
# Compares the content codec with compress -b 12 (ncompress, also 12-bit LZW)
# on the same inputs as the codec benchmarks: 48 KB of French text and 16 KB of
# random bytes. Prints sizes, times and zelto/compress ratios.
#
# Times are CPU times (user + system), steadier than wall times on a shared
# machine: "zelto" and "compress" are one whole run of the program on the file
# (start-up included), averaged over RUNS runs; "-net" subtracts the same
# program's time on a one-byte file, which leaves roughly the codec's work.
# "zelto-inproc" is the codec call alone, timed inside the program (wall time
# of many calls in a row).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELTO_BENCH_BUILD:-$root/build/release}
tool=$build/bench/tools/lzw_file
runs=${RUNS:-200}

if [ ! -x "$tool" ]; then
  echo "compress_compare: $tool is missing; build $build first" >&2
  exit 1
fi
if ! command -v compress >/dev/null; then
  echo "compress_compare: compress (ncompress) is not installed" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" samples "$work"
printf 'x' >"$work/tiny"
"$tool" encode "$work/tiny" "$work/tiny.lzw"
compress -f -b 12 -c "$work/tiny" >"$work/tiny.Z" || true

# Mean CPU time (user + system, children included) of one run of a command,
# in microseconds.
mean_us() {
  local TIMEFORMAT='%3U %3S' t
  t=$({ time (for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1 || true; done); } 2>&1)
  awk -v t="$t" -v n="$runs" 'BEGIN { split(t, p, " "); printf "%d", (p[1] + p[2]) * 1e6 / n }'
}

zelto_enc() { "$tool" encode "$1" "$work/out.lzw"; }
zelto_dec() { "$tool" decode "$1" "$work/out.raw"; }
compress_enc() { compress -f -b 12 -c "$1" >"$work/out.Z"; }
compress_dec() { compress -d -c "$1" >"$work/out.raw"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }

base_zelto_enc=$(mean_us zelto_enc "$work/tiny")
base_zelto_dec=$(mean_us zelto_dec "$work/tiny.lzw")
base_compress_enc=$(mean_us compress_enc "$work/tiny")
base_compress_dec=$(mean_us compress_dec "$work/tiny.Z")

net() { local v=$(($1 - $2)); ((v > 0)) || v=0; echo "$v"; }

echo "== content codec vs compress -b 12 ($runs runs each; times in microseconds)"
printf '%-15s %-7s %8s %10s %10s %8s %10s %10s %12s %8s\n' \
  input step bytes zelto compress ratio "zelto-net" "comp-net" "zelto-inproc" "ratio*"
for sample in french-48k.txt random-16k.bin; do
  in=$work/$sample
  size=$(stat -c %s "$in")
  "$tool" encode "$in" "$work/$sample.lzw"
  compress -f -b 12 -c "$in" >"$work/$sample.Z" || true
  zsize=$(stat -c %s "$work/$sample.lzw")
  csize=$(stat -c %s "$work/$sample.Z")

  # Both must give the input back.
  "$tool" decode "$work/$sample.lzw" "$work/check"
  cmp -s "$in" "$work/check" || { echo "zelto round trip failed on $sample" >&2; exit 1; }
  compress -d -c "$work/$sample.Z" >"$work/check"
  cmp -s "$in" "$work/check" || { echo "compress round trip failed on $sample" >&2; exit 1; }

  printf '%-15s %-7s %8s %10s %10s %8s\n' "$sample" size "$size" "$zsize" "$csize" "$(ratio "$zsize" "$csize")"

  for step in encode decode; do
    if [ "$step" = encode ]; then
      zt=$(mean_us zelto_enc "$in"); ct=$(mean_us compress_enc "$in")
      zn=$(net "$zt" "$base_zelto_enc"); cn=$(net "$ct" "$base_compress_enc")
      zin=$("$tool" encode "$in" "$work/out.lzw" 200)
    else
      zt=$(mean_us zelto_dec "$work/$sample.lzw"); ct=$(mean_us compress_dec "$work/$sample.Z")
      zn=$(net "$zt" "$base_zelto_dec"); cn=$(net "$ct" "$base_compress_dec")
      zin=$("$tool" decode "$work/$sample.lzw" "$work/out.raw" 200)
    fi
    printf '%-15s %-7s %8s %10s %10s %8s %10s %10s %12s %8s\n' "$sample" "$step" "$size" \
      "$zt" "$ct" "$(ratio "$zt" "$ct")" "$zn" "$cn" "$zin" "$(ratio "$zin" "$cn")"
  done
done
echo "sizes in bytes (compress counts its 3-byte header); ratio = zelto / compress;"
echo "ratio* = zelto in-process / compress net of start-up"
