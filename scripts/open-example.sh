#!/usr/bin/env bash
# Builds everything, makes an example quiz with the builder (the text quiz
# unless another example is named: texte, image, son, video) and opens it in
# the player under Wine. With no display, it runs under Xvfb instead, saves a
# screenshot of the window and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEDEBUG=-all
out="$root/build/examples"

# Inside Xvfb: a prefix of our own, the player, a screenshot, then close it.
if [ "${1:-}" = "--screenshot-inside-xvfb" ]; then
  example=$2
  shot="$out/$example.png"
  export WINEPREFIX="$root/build/wine-example"
  [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  cd "$out"
  wine "$example.exe" >/dev/null 2>&1 &
  player=$!
  window=$(timeout 90 xdotool search --sync --onlyvisible --classname "$example.exe" | head -1)
  sleep 2  # let the panels paint before the picture is taken
  import -window "$window" "$shot"
  xdotool windowfocus --sync "$window" key alt+F4 || true
  timeout 30 tail --pid="$player" -f /dev/null || kill "$player" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  echo "Screenshot of the example quiz: $shot"
  exit 0
fi

example=${1:-texte}
scripts/build.sh
mkdir -p "$out"
# Every example is built, so all four kinds are at hand in build/examples.
for kind in texte image son video; do
  dist/zelto-build "examples/$kind/quiz.toml" -o "$out/$kind.exe"
done

if [ -n "${DISPLAY:-}" ]; then
  cd "$out"
  exec wine "$example.exe"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --screenshot-inside-xvfb "$example"
