#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine.
# Quick when everything is already there: it checks before it installs.
#
# The 64-bit packages are required: when they cannot be installed the run stops with
# apt's message. The 32-bit ones (wine32:i386) are installed only where the kernel runs
# 32-bit code, as a step of their own; when that step fails, the reason is written to
# build/no-32bit-reason and the win32 build is skipped with it (see can_run_32bit).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
REASON_FILE="$ROOT/build/no-32bit-reason"
export DEBIAN_FRONTEND=noninteractive
mkdir -p "$ROOT/build"

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing() { local p; for p in "$@"; do have_pkg "$p" || echo "$p"; done; }

# The archive can be mid-sync: an index that fails to download makes apt-get update
# exit non-zero although the other lists came. Retry a few times, then go on with what
# came and let the install decide.
updated=""
apt_update() {
  [ -n "$updated" ] && return 0
  updated=1
  local try
  for try in 1 2 3; do
    if apt-get update -q >"$ROOT/build/apt-update.log" 2>&1; then return 0; fi
    echo "setup: apt-get update failed (try $try of 3)" >&2
    [ "$try" -lt 3 ] && sleep $((try * 5))
  done
  echo "setup: going on with the package lists that did come:" >&2
  grep -E '^(E|W):' "$ROOT/build/apt-update.log" | sed 's/^/  /' >&2 || true
}

# A 93-byte static i386 program that exits with 42; only a kernel that runs 32-bit code
# runs it. Wine is not asked: it may not be installed yet.
kernel_runs_32bit() {
  local probe="$ROOT/build/probe-i386"
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb3\x2a\x31\xc0\x40\xcd\x80' >"$probe"
  chmod +x "$probe"
  local rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

install_or_stop() {
  local need
  mapfile -t need < <(missing "$@")
  [ ${#need[@]} -eq 0 ] && return 0
  apt_update
  echo "setup: installing ${need[*]}"
  if ! apt-get install -y -q --no-install-recommends "${need[@]}"; then
    echo "setup: could not install ${need[*]} (apt's message above); the package archive may be" \
         "mid-sync: try again in a few minutes, or run 'apt-get update' and read what it reports" >&2
    exit 1
  fi
}

# Everything the 64-bit build, its tests and both packages need (the win64 package
# carries the 32-bit menu DLL too, so both cross compilers are always installed).
install_or_stop wine wine64 g++-mingw-w64-i686-posix mingw-w64-i686-dev \
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev \
  xvfb xauth x11-apps imagemagick googletest cmake clang libclang-rt-14-dev zlib1g-dev \
  make python3 xdotool fonts-wine nsis clang-format

# The 32-bit Wine, only where it can run.
if [ "${CORVANE_ONLY_64:-0}" = 1 ]; then
  exit 0
fi
if ! kernel_runs_32bit; then
  echo "this machine's kernel does not run 32-bit programs" >"$REASON_FILE"
  exit 0
fi
if have_pkg wine32:i386; then
  rm -f "$REASON_FILE"
  exit 0
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=""
fi
apt_update
echo "setup: installing wine32:i386"
if apt-get install -y -q --no-install-recommends wine32:i386 >"$ROOT/build/apt-wine32.log" 2>&1; then
  rm -f "$REASON_FILE"
else
  sed 's/^/  /' "$ROOT/build/apt-wine32.log" | tail -8 >&2
  echo "wine32:i386 could not be installed (see build/apt-wine32.log)" >"$REASON_FILE"
  echo "setup: $(cat "$REASON_FILE"); the 32-bit build is skipped" >&2
fi
exit 0
