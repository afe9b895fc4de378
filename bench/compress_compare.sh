#!/usr/bin/env bash
# Compares the content codec with compress -b 12 (ncompress, also 12-bit LZW)
# on the same inputs as the codec benchmarks: 48 KB of French text and 16 KB of
# random bytes. Prints sizes, times and zelto/compress ratios.
#
# Times are CPU times, steadier than wall times on a shared machine: "zelto"
# and "compress" are one whole run of the program on the file (start-up
# included), averaged over RUNS runs; "-net" subtracts the same
# program's time on a one-byte file, which leaves roughly the codec's work.
# "zelto-inproc" is the codec call alone, timed inside the program (CPU time
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

# CPU time of one run of a program, in microseconds: the task clock of the
# process itself through perf when it is there, else user + system time
# around a loop of runs (which adds the shell's fork and exec). The runs go in
# five batches and the best batch mean is kept: other work on the machine
# only ever adds time.
mean_us() {
  local best=-1 t batch per=$(((runs + 4) / 5))
  for batch in 1 2 3 4 5; do
    if command -v perf >/dev/null && perf stat -x, -e task-clock -o "$work/stat" -- true >/dev/null 2>&1; then
      perf stat -r "$per" -x, -e task-clock -o "$work/stat" -- "$@" >/dev/null 2>&1 || true
      t=$(awk -F, '/task-clock/ { printf "%d", $1 * 1000 }' "$work/stat")
    else
      local TIMEFORMAT='%3U %3S' u
      u=$({ time (for ((i = 0; i < per; i++)); do "$@" >/dev/null 2>&1 || true; done); } 2>&1)
      t=$(awk -v t="$u" -v n="$per" 'BEGIN { split(t, p, " "); printf "%d", (p[1] + p[2]) * 1e6 / n }')
    fi
    if ((best < 0 || t < best)); then best=$t; fi
  done
  echo "$best"
}

zelto_enc() { mean_us "$tool" encode "$1" "$work/out.lzw"; }
zelto_dec() { mean_us "$tool" decode "$1" "$work/out.raw"; }
compress_enc() { mean_us compress -f -b 12 -c "$1"; }
compress_dec() { mean_us compress -d -c "$1"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }

base_zelto_enc=$(zelto_enc "$work/tiny")
base_zelto_dec=$(zelto_dec "$work/tiny.lzw")
base_compress_enc=$(compress_enc "$work/tiny")
base_compress_dec=$(compress_dec "$work/tiny.Z")

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
      zt=$(zelto_enc "$in"); ct=$(compress_enc "$in")
      zn=$(net "$zt" "$base_zelto_enc"); cn=$(net "$ct" "$base_compress_enc")
      zin=$("$tool" encode "$in" "$work/out.lzw" 1000)
    else
      zt=$(zelto_dec "$work/$sample.lzw"); ct=$(compress_dec "$work/$sample.Z")
      zn=$(net "$zt" "$base_zelto_dec"); cn=$(net "$ct" "$base_compress_dec")
      zin=$("$tool" decode "$work/$sample.lzw" "$work/out.raw" 1000)
    fi
    printf '%-15s %-7s %8s %10s %10s %8s %10s %10s %12s %8s\n' "$sample" "$step" "$size" \
      "$zt" "$ct" "$(ratio "$zt" "$ct")" "$zn" "$cn" "$zin" "$(ratio "$zin" "$cn")"
  done
done
echo "sizes in bytes (compress counts its 3-byte header); ratio = zelto / compress;"
echo "ratio* = zelto in-process / compress net of start-up"

# Instruction counts do not depend on the load of the machine: counted by
# valgrind when it is there, net of each program's run on a one-byte file.
if command -v valgrind >/dev/null; then
  instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      awk '/Collected/ { print $NF }'
  }
  bz_enc=$(instructions "$tool" encode "$work/tiny" "$work/out.lzw")
  bz_dec=$(instructions "$tool" decode "$work/tiny.lzw" "$work/out.raw")
  bc_enc=$(instructions compress -f -b 12 -c "$work/tiny")
  bc_dec=$(instructions compress -d -c "$work/tiny.Z")
  echo
  echo "== instructions executed, net of start-up (valgrind)"
  printf '%-15s %-7s %12s %12s %8s %14s
' input step zelto compress ratio "zelto/byte"
  for sample in french-48k.txt random-16k.bin; do
    in=$work/$sample
    size=$(stat -c %s "$in")
    ze=$(($(instructions "$tool" encode "$in" "$work/out.lzw") - bz_enc))
    ce=$(($(instructions compress -f -b 12 -c "$in") - bc_enc))
    zd=$(($(instructions "$tool" decode "$work/$sample.lzw" "$work/out.raw") - bz_dec))
    cd=$(($(instructions compress -d -c "$work/$sample.Z") - bc_dec))
    printf '%-15s %-7s %12s %12s %8s %14s
' "$sample" encode "$ze" "$ce" "$(ratio "$ze" "$ce")" "$(ratio "$ze" "$size")"
    printf '%-15s %-7s %12s %12s %8s %14s
' "$sample" decode "$zd" "$cd" "$(ratio "$zd" "$cd")" "$(ratio "$zd" "$size")"
  done
fi
