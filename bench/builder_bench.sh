#!/usr/bin/env bash
# zelto-build on a 96-question picture quiz of 1600 x 1200 JPEGs (about
# 300 KB each, generated here): build time with the pictures fitted and with
# --keep-originals, and the size of both executables. Figures only; nothing
# is checked.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builder=${ZELTO_BUILDER:-$root/dist/zelto-build}
player=${ZELTO_PLAYER:-$root/dist/zelto.exe}
runs=${ZELTO_BENCH_RUNS:-3}
for f in "$builder" "$player"; do
  [ -f "$f" ] || { echo "builder_bench: $f missing (run scripts/build.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One fractal picture, then 96 shifted copies so that no two files are alike.
convert -size 1600x1200 plasma:fractal -blur 0x0.8 -quality 88 "$work/base.jpg"
{
  echo 'genre = "image"'
  echo 'titre = "Banc d'"'"'essai"'
  printf 'codes = ['
  for q in $(seq 1 96); do printf '"C%d", ' "$q"; done
  echo ']'
} > "$work/quiz.toml"
for q in $(seq 1 96); do
  name=$(printf 'p%02d.jpg' "$q")
  convert "$work/base.jpg" -roll "+$((q * 16))+$((q * 11))" -quality 88 "$work/$name"
  printf '[[question]]\nimage = "%s"\nreponse = "R%d"\n' "$name" "$q" >> "$work/quiz.toml"
done
total=$(cat "$work"/p*.jpg | wc -c)

# Best of $runs: "wall user+system" seconds (the machine may be shared, so
# the processor time says more than the wall time).
best_time() {
  local best="" best_cpu=""
  for _ in $(seq 1 "$runs"); do
    local t
    t=$( { TIMEFORMAT='%R %U %S'; time "$builder" "$work/quiz.toml" -o "$work/out.exe" --player "$player" "$@" \
      > /dev/null; } 2>&1 )
    read -r wall user sys <<< "$t"
    if [ -z "$best" ] || python3 -c "import sys; sys.exit(0 if $wall < $best else 1)"; then
      best=$wall
      best_cpu=$(python3 -c "print(f'{$user + $sys:.2f}')")
    fi
  done
  echo "$best $best_cpu"
}

read -r fitted_time fitted_cpu <<< "$(best_time)"
fitted_size=$(wc -c < "$work/out.exe")
read -r kept_time kept_cpu <<< "$(best_time --keep-originals)"
kept_size=$(wc -c < "$work/out.exe")

echo "builder_bench: 96 pictures of 1600x1200, $((total / 1024)) KB of JPEG in all (best of $runs runs)"
printf '  fitted to the player size: %6s s wall, %6s s processor, executable %9d bytes\n' \
  "$fitted_time" "$fitted_cpu" "$fitted_size"
printf '  --keep-originals:          %6s s wall, %6s s processor, executable %9d bytes\n' \
  "$kept_time" "$kept_cpu" "$kept_size"
