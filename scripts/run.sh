#!/usr/bin/env bash
# Builds Corvane and starts it under Wine. With no display it runs on a virtual one,
# saves a screenshot to build/screenshot.png after a few seconds and closes the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
build_windows --target Corvane
wine_prefix_ready
EXE="$WIN_BUILD/bin/Corvane.exe"

if [ -n "${DISPLAY:-}" ] && [ "${CORVANE_HEADLESS:-0}" != 1 ]; then
  exec wine "$EXE"
fi

SHOT="${SCREENSHOT:-$BUILD/screenshot.png}"
export EXE SHOT
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$EXE" &
  sleep "${RUN_SECONDS:-8}"
  import -window root "$SHOT" && echo "screenshot: $SHOT"
  wineserver -k || true
  wait || true
'
