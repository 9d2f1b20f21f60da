#!/usr/bin/env bash
# Runs the Windows test executables under Wine (on the display it is given) and writes
# "passed failed" and the failures to $1. Called by test.sh.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$ROOT/scripts/gtest-count.sh"
OUT=$1
LOG="$BUILD/test-logs"
passed=0; failed=0; failures=()
wineserver -p >/dev/null 2>&1 || true
for name in win_tests e2e_tests; do
  exe="$WIN_BUILD/bin/$name.exe"
  if [ ! -f "$exe" ]; then
    failed=$((failed + 1)); failures+=("$name.exe was not built"); continue
  fi
  (cd "$WIN_BUILD/bin" && timeout 1200 wine "./$name.exe") >"$LOG/$name.log" 2>&1
  count_gtest "$name" "$LOG/$name.log" $?
done
wineserver -k >/dev/null 2>&1 || true
printf '%s\n' "$passed" "$failed" "${failures[@]}" >"$OUT"
