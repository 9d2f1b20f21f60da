#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix (ctest's emulator):
#   wine-run.sh win64|win32 PROGRAM [ARGS...]
CORVANE_ARCH=$1; shift
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
wine_prefix_ready || exit 1
exec "$WINE" "$@"
