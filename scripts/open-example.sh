#!/usr/bin/env bash
# Builds everything, makes the example text quiz with the builder and opens
# it in the player under Wine. With no display, it runs under Xvfb instead,
# saves a screenshot of the window and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh

example=${1:-texte}
out="$root/build/examples"
mkdir -p "$out"
dist/zelto-build "examples/$example/quiz.toml" -o "$out/$example.exe"

export WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  cd "$out"
  exec wine "$example.exe"
fi

# Headless: a prefix of our own, a virtual screen, a screenshot.
export WINEPREFIX="$root/build/wine-example"
shot="$out/$example.png"
run_headless() {
  set -euo pipefail
  [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  cd "$out"
  wine "$example.exe" >/dev/null 2>&1 &
  local player=$!
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --classname "$example.exe" | head -1)
  # Give the panel its first paint before the picture is taken.
  timeout 30 bash -c "until xdotool getwindowgeometry $window >/dev/null 2>&1; do sleep 0.2; done"
  sleep 1
  import -window root "$shot"
  xdotool windowfocus --sync "$window" key alt+F4 || true
  timeout 30 tail --pid="$player" -f /dev/null || kill "$player" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
export -f run_headless
export out example shot
xvfb-run -a -s "-screen 0 1024x768x24" bash -c run_headless
echo "Screenshot of the example quiz: $shot"
