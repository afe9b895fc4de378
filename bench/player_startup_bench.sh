#!/usr/bin/env bash
# The player's start-up under Wine and Xvfb: launch to a fully judged panel
# for a 96-question text quiz and a 96-picture quiz (fitted and kept), the
# executables' sizes and the player's imported DLLs. See the .py beside it.
set -euo pipefail
exec python3 -B "$(dirname "$0")/player_startup_bench.py" "$@"
