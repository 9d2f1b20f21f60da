#!/usr/bin/env bash
# Runs one architecture's Windows test executables under Wine (on the display it is
# given) and writes "passed failed" and the failures to $2. Called by test.sh:
#   win-tests.sh win64|win32 SUMMARY
set -uo pipefail
CORVANE_ARCH=$1
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$ROOT/scripts/gtest-count.sh"
OUT=$2
LOG="$BUILD/test-logs"
passed=0; failed=0; failures=()
"$WINESERVER" -p >/dev/null 2>&1 || true
for name in win_tests e2e_tests; do
  exe="$WIN_BUILD/bin/$name.exe"
  if [ ! -f "$exe" ]; then
    failed=$((failed + 1)); failures+=("$ARCH $name.exe was not built"); continue
  fi
  (cd "$WIN_BUILD/bin" && timeout 1200 "$WINE" "./$name.exe") >"$LOG/$ARCH-$name.log" 2>&1
  count_gtest "$ARCH $name" "$LOG/$ARCH-$name.log" $?
done
"$WINESERVER" -k >/dev/null 2>&1 || true
printf '%s\n' "$passed" "$failed" "${failures[@]}" >"$OUT"
