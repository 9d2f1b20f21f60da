#!/usr/bin/env bash
# Builds Corvane for one architecture and packs it: the portable zip and the
# per-user installer, in BUILD_DIR/packages/.
#
#   bash scripts/package.sh win64|win32 [BUILD_DIR]
#
# BUILD_DIR defaults to build/<arch>; an existing Windows build folder of that
# architecture may be given instead.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARCH="${1:-}"
case "$ARCH" in
  win64) TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake" ;;
  win32) TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake" ;;
  *) echo "usage: $0 win64|win32 [BUILD_DIR]" >&2; exit 2 ;;
esac
BUILD_DIR="${2:-$ROOT/build/$ARCH}"
if [ ! -f "$TOOLCHAIN" ]; then
  echo "package: no toolchain file $TOOLCHAIN for $ARCH" >&2
  exit 1
fi
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-$(nproc)}" --target packages
ls -l "$BUILD_DIR"/packages/Corvane-*-"$ARCH".zip "$BUILD_DIR"/packages/Corvane-*-"$ARCH"-setup.exe
