#!/usr/bin/env bash
# Builds Corvane for one architecture and packs it: the portable zip and the
# per-user installer, in BUILD_DIR/packages/.
#
#   bash scripts/package.sh [win64|win32 [BUILD_DIR]]     (default win64, as run.sh)
#
# BUILD_DIR defaults to build/<arch>; an existing Windows build folder of that
# architecture may be given instead.
set -euo pipefail
case "${1:-win64}" in
  win64|win32) CORVANE_ARCH=${1:-win64} ;;
  *) echo "usage: $0 [win64|win32 [BUILD_DIR]]" >&2; exit 2 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
BUILD_DIR="${2:-$WIN_BUILD}"
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target packages
ls -l "$BUILD_DIR"/packages/Corvane-*-"$ARCH".zip "$BUILD_DIR"/packages/Corvane-*-"$ARCH"-setup.exe
