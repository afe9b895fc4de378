#!/usr/bin/env bash
# Remakes the four clips of this quiz: one plucked note each, 1.5 s, mono mp3
# at 32 kbit/s (a few KB). Needs sox and lame.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for note in do:261.63 mi:329.63 sol:392.00 la:440.00; do
  name=${note%%:*}
  sox -n -r 22050 -c 1 -b 16 "$tmp/$name.wav" synth 1.5 pluck "${note#*:}" fade 0 1.5 0.3 gain -3
  lame --quiet -b 32 --tt "$name" "$tmp/$name.wav" "$name.mp3"
done
