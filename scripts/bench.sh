#!/usr/bin/env bash
# Builds and runs the benchmarks of one architecture under Wine on a virtual display:
#   scripts/bench.sh [win64|win32] [--dpi N] [--quick] [WORD]
# WORD: run only the benchmarks named with it; --quick: one run per side, outputs
# checked, times not worth judging; --dpi N: the screen at N DPI (Wine's LogPixels, set
# back afterwards), for the same lines at 144 beside 96. Exits non-zero when any
# benchmark line failed.
set -euo pipefail
CORVANE_ARCH="${CORVANE_ARCH:-win64}"
case "${1:-}" in win64|win32) CORVANE_ARCH=$1; shift ;; esac
DPI=
if [ "${1:-}" = --dpi ]; then
  [[ "${2:-}" =~ ^[0-9]+$ ]] && [ "$2" -ge 96 ] && [ "$2" -le 480 ] || { echo "bench.sh: --dpi takes 96 to 480" >&2; exit 2; }
  DPI=$2
  shift 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
if [ "$ARCH" = win32 ] && ! can_run_32bit; then
  echo "bench.sh: cannot run the 32-bit build: $WHY_NO_32BIT" >&2
  exit 1
fi
build_windows --target corvane_bench
wine_prefix_ready
cd "$WIN_BUILD/bin"
rc=0
if [ -n "$DPI" ]; then
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
  "$WINESERVER" -k >/dev/null 2>&1 || true
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE" ./corvane_bench.exe "$@" || rc=$?
if [ -n "$DPI" ]; then
  "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
fi
"$WINESERVER" -k >/dev/null 2>&1 || true
exit "$rc"
