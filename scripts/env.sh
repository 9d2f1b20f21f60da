# Shared settings for the builds and Wine; sourced by the other scripts.
#
# Two Windows builds come from the one CMake project, each with its own build folder
# and Wine prefix: win64 (x86_64, runs on every x86-64 machine) and win32 (i686, runs
# only where the kernel runs 32-bit programs). CORVANE_ARCH picks the one the sourcing
# script starts with (default win64); use_arch switches.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
HOST_BUILD="${CORVANE_HOST_BUILD:-$BUILD/host}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
JOBS="${JOBS:-$(nproc)}"
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Points the build folder, toolchain, Wine loader, wineserver and prefix at one
# architecture. /usr/bin/wine would pick the 32-bit loader whenever wine32 is
# installed, even where the kernel cannot run it, so the loaders are called directly.
use_arch() {
  ARCH=$1
  case "$ARCH" in
    win64) TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake"
           export WINEARCH=win64 WINELOADER=$WINE64_LOADER WINESERVER=/usr/lib/wine/wineserver64 ;;
    win32) TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
           export WINEARCH=win32 WINELOADER=$WINE32_LOADER WINESERVER=/usr/lib/wine/wineserver32 ;;
    *) echo "unknown architecture '$ARCH' (win64 or win32)" >&2; return 1 ;;
  esac
  export WINE=$WINELOADER
  WIN_BUILD="$BUILD/$ARCH"
  export WINEPREFIX="$BUILD/wineprefix-$ARCH"
}

# Succeeds when this machine can run the 32-bit build; otherwise sets WHY_NO_32BIT.
# Decided by trying the 32-bit Wine loader, not from the kernel's version or config.
# CORVANE_ONLY_64=1 takes the 64-bit-only path on any machine.
can_run_32bit() {
  WHY_NO_32BIT=""
  if [ "${CORVANE_ONLY_64:-0}" = 1 ]; then
    WHY_NO_32BIT="CORVANE_ONLY_64=1 asks for the 64-bit build only"
    return 1
  fi
  # setup.sh leaves the reason when it did not install the 32-bit Wine.
  if [ -s "$BUILD/no-32bit-reason" ]; then
    WHY_NO_32BIT="$(cat "$BUILD/no-32bit-reason")"
    return 1
  fi
  local out
  if ! out=$("$WINE32_LOADER" --version 2>&1); then
    WHY_NO_32BIT="this machine cannot start the 32-bit Wine loader (${out:-no output})"
    return 1
  fi
}

# A new prefix boots once (about 15 s); later runs reuse it.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$BUILD"
    echo "wine: creating $ARCH prefix $WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    # Wine draws the window frames itself: no waiting on a window manager that
    # Xvfb does not have, and the captions look as they do on Windows.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    "$WINESERVER" -w || true
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: could not create the $ARCH prefix $WINEPREFIX" >&2
    return 1
  fi
  # Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the caption buttons) go into
  # the prefix, where this Wine looks for them.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  fi
}

build_windows() {
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$WIN_BUILD" -j "$JOBS" "$@"
}

build_host() {
  cmake -S "$ROOT" -B "$HOST_BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$HOST_BUILD" -j "$JOBS" "$@"
}

use_arch "${CORVANE_ARCH:-win64}" || exit 1
