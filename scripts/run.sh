#!/usr/bin/env bash
# Builds Corvane and starts it under Wine:
#   scripts/run.sh [win64|win32]     (default win64, which runs on every x86-64 machine)
# With no display it runs on a virtual one, checks that the main window appears, saves
# a screenshot to build/screenshot.png after a few seconds and closes the program.
# Exits non-zero when Wine cannot start the program or its main window does not appear.
set -euo pipefail
CORVANE_ARCH="${1:-${CORVANE_ARCH:-win64}}"
CORVANE_ARCH="${CORVANE_ARCH#--}"
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
if [ "$ARCH" = win32 ] && ! can_run_32bit; then
  echo "run.sh: cannot run the 32-bit build: $WHY_NO_32BIT; run the 64-bit one (scripts/run.sh win64)" >&2
  exit 1
fi
build_windows --target Corvane
wine_prefix_ready
EXE="${CORVANE_RUN_EXE:-$WIN_BUILD/bin/Corvane.exe}"

if [ -n "${DISPLAY:-}" ] && [ "${CORVANE_HEADLESS:-0}" != 1 ]; then
  rc=0; "$WINE" "$EXE" || rc=$?
  [ "$rc" -eq 0 ] || echo "run.sh: Corvane.exe ($ARCH) ended with exit code $rc" >&2
  exit "$rc"
fi

SHOT="${SCREENSHOT:-$BUILD/screenshot.png}"
WINE_LOG="$BUILD/run-wine.log"
rm -f "$SHOT"
export EXE SHOT WINE WINESERVER WINE_LOG ARCH
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$WINE" "$EXE" >"$WINE_LOG" 2>&1 &
  pid=$!
  found=""
  for _ in $(seq 1 60); do
    # The main window, by its title (the tips dialog'"'"'s title does not start with a blank).
    if xdotool search --onlyvisible --name "^ Corvane" >/dev/null 2>&1; then found=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  if [ -z "$found" ]; then
    if kill -0 "$pid" 2>/dev/null; then
      echo "run.sh: Corvane.exe ($ARCH) started but its main window did not appear within 30 s" >&2
    else
      echo "run.sh: Wine could not start Corvane.exe ($ARCH):" >&2
      sed "s/^/  /" "$WINE_LOG" >&2
    fi
    "$WINESERVER" -k >/dev/null 2>&1 || true
    exit 1
  fi
  sleep "${RUN_SECONDS:-8}"
  import -window root "$SHOT" && echo "screenshot: $SHOT ($ARCH)"
  "$WINESERVER" -k || true
  wait || true
'
