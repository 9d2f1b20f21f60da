# Shared settings for the build and Wine; sourced by the other scripts.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
WIN_BUILD="${CORVANE_WIN_BUILD:-$BUILD/win}"
HOST_BUILD="${CORVANE_HOST_BUILD:-$BUILD/host}"
export WINEPREFIX="${CORVANE_WINEPREFIX:-$BUILD/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
JOBS="${JOBS:-$(nproc)}"

# A new prefix boots once (about 15 s); later runs reuse it.
wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$BUILD"
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Wine draws the window frames itself: no waiting on a window manager that
    # Xvfb does not have, and the captions look as they do on Windows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the caption buttons) go into
  # the prefix, where this Wine looks for them.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  fi
}

build_windows() {
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$WIN_BUILD" -j "$JOBS" "$@"
}

build_host() {
  cmake -S "$ROOT" -B "$HOST_BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$HOST_BUILD" -j "$JOBS" "$@"
}
