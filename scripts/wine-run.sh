#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix (ctest's emulator).
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
wine_prefix_ready
exec wine "$@"
