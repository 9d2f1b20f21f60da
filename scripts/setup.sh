#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine.
# Quick when everything is already there: it checks before it installs.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  FORCE_UPDATE=1
fi

for p in wine wine32:i386 wine64 g++-mingw-w64-i686-posix mingw-w64-i686-dev \
         g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev \
         xvfb xauth x11-apps imagemagick googletest cmake clang libclang-rt-14-dev zlib1g-dev \
         make python3 xdotool fonts-wine nsis; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if [ -n "${FORCE_UPDATE:-}" ] || [ ! -f /var/lib/apt/periodic/corvane-updated ]; then
    apt-get update -q
    mkdir -p /var/lib/apt/periodic && touch /var/lib/apt/periodic/corvane-updated
  fi
  echo "setup: installing ${need[*]}"
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
