#!/usr/bin/env bash
# Remakes the four clips of this quiz: a white square crossing a coloured
# field, 2 s at 10 frames a second, 96 x 72, motion JPEG in an avi (a codec
# that Windows and GStreamer both decode). Needs ffmpeg.
set -euo pipefail
cd "$(dirname "$0")"
for clip in rouge:red vert:green bleu:blue jaune:yellow; do
  ffmpeg -v error -y -f lavfi -i "color=c=${clip#*:}:s=96x72:d=2:r=10" \
    -f lavfi -i "color=c=white:s=24x24:d=2:r=10" \
    -filter_complex "[0][1]overlay=x='4+t*30':y=24:eval=frame" \
    -c:v mjpeg -q:v 8 -an "${clip%%:*}.avi"
done
