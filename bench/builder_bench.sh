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

now() { date +%s.%N; }
# Best of $runs, in seconds.
best_time() {
  local best=""
  for _ in $(seq 1 "$runs"); do
    local start end t
    start=$(now)
    "$builder" "$work/quiz.toml" -o "$work/out.exe" --player "$player" "$@" > /dev/null
    end=$(now)
    t=$(echo "$end - $start" | bc -l 2>/dev/null || python3 -c "print($end - $start)")
    if [ -z "$best" ] || python3 -c "import sys; sys.exit(0 if $t < $best else 1)"; then best=$t; fi
  done
  printf '%.2f' "$best"
}

fitted_time=$(best_time)
fitted_size=$(wc -c < "$work/out.exe")
kept_time=$(best_time --keep-originals)
kept_size=$(wc -c < "$work/out.exe")

echo "builder_bench: 96 pictures of 1600x1200, $((total / 1024)) KB of JPEG in all (best of $runs runs)"
printf '  fitted to the player size: %6s s, executable %9d bytes\n' "$fitted_time" "$fitted_size"
printf '  --keep-originals:          %6s s, executable %9d bytes\n' "$kept_time" "$kept_size"
