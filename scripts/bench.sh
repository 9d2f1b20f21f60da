#!/usr/bin/env bash
# Builds and runs the benchmarks of one architecture under Wine on a virtual display:
#   scripts/bench.sh [win64|win32] [--quick] [WORD]
# WORD: run only the benchmarks named with it; --quick: one run per side, outputs
# checked, times not worth judging. Exits non-zero when any benchmark line failed.
set -euo pipefail
CORVANE_ARCH="${CORVANE_ARCH:-win64}"
case "${1:-}" in win64|win32) CORVANE_ARCH=$1; shift ;; esac
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
xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE" ./corvane_bench.exe "$@" || rc=$?
"$WINESERVER" -k >/dev/null 2>&1 || true
exit "$rc"
