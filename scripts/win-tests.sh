#!/usr/bin/env bash
# Runs one architecture's Windows test executables under Wine (on the display it is
# given) and writes "passed failed" and the failures to $2. Called by test.sh:
#   win-tests.sh win64|win32 SUMMARY
#
# Each test suite runs in a Wine process of its own with a time limit
# (WIN_SUITE_SECONDS, default 300). A case that hangs or takes its process down costs
# that case alone: it is named as failed and the rest of its suite runs again without it.
set -uo pipefail
CORVANE_ARCH=$1
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$ROOT/scripts/gtest-count.sh"
OUT=$2
LOG="$BUILD/test-logs"
SUITE_SECONDS="${WIN_SUITE_SECONDS:-300}"
passed=0; failed=0; failures=()

# The suites of a test exe, one a line, from its own list.
list_suites() {
  timeout 120 "$WINE" "./$1.exe" --gtest_list_tests 2>/dev/null | tr -d '\r' |
    sed -n 's/^\([A-Za-z0-9_/]*\)\.\( *#.*\)\{0,1\}$/\1/p'
}

# Runs one suite until every case has run once; adds to passed, failed and failures.
# A third argument names the run apart (its log and its lines).
run_suite() {
  local name=$1 suite=$2 tag=${3:-} log="$LOG/$ARCH-$1-$2${3:+-$3}.log" done_cases=() attempt=0 rc
  : >"$log"
  while :; do
    attempt=$((attempt + 1))
    local filter="$suite.*" part="$log.part"
    if [ ${#done_cases[@]} -gt 0 ]; then filter="$suite.*-$(IFS=:; echo "${done_cases[*]}")"; fi
    timeout -k 10 "$SUITE_SECONDS" "$WINE" "./$name.exe" --gtest_filter="$filter" >"$part" 2>&1
    rc=$?
    tr -d '\r' <"$part" >>"$log"
    if grep -q '^\[==========\] .* ran\.' <(tr -d '\r' <"$part"); then
      # The process finished its cases: its own summary counts them. After a hang
      # the rest may be empty, which is no failure.
      if [ "$attempt" -gt 1 ] && ! grep -q '^\[ RUN' "$part"; then break; fi
      count_gtest "$ARCH $name $suite${tag:+ $tag}" "$log" "$rc"
      break
    fi
    # Hung (timeout) or died: count what finished, name the case that was running,
    # and run the rest of the suite without them.
    local ok bad cur
    ok=$(tr -d '\r' <"$part" | sed -n 's/^\[       OK \] \([^ ]*\) (.*/\1/p')
    bad=$(tr -d '\r' <"$part" | sed -n 's/^\[  FAILED  \] \([^ ,]*\)[ ,].*/\1/p')
    cur=$(tr -d '\r' <"$part" | sed -n 's/^\[ RUN      \] \([^ ]*\)$/\1/p' | tail -1)
    local c
    for c in $ok; do passed=$((passed + 1)); done
    for c in $bad; do failed=$((failed + 1)); failures+=("$ARCH $name $c (see $log)"); done
    local how="died (exit code $rc)"
    [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ] && how="hung (stopped after ${SUITE_SECONDS}s)"
    if [ -z "$cur" ] || printf '%s\n' $ok $bad | grep -qx "$cur"; then
      failed=$((failed + 1)); failures+=("$ARCH $name $suite $how outside a case (see $log)")
      echo "$ARCH $name $suite: $how outside a case"
      break
    fi
    failed=$((failed + 1)); failures+=("$ARCH $name $cur $how (see $log)")
    echo "$ARCH $name $cur: $how ($(printf '%s\n' $ok | grep -c .) passed and $(printf '%s\n' $bad | grep -c .) failed before it)"
    # Wine may leave the killed process's windows behind; start the rest afresh.
    done_cases+=($ok $bad "$cur")
  done
  rm -f "$log.part"
}

"$WINESERVER" -p >/dev/null 2>&1 || true
cd "$WIN_BUILD/bin"
for name in win_tests e2e_tests; do
  if [ ! -f "$name.exe" ]; then
    failed=$((failed + 1)); failures+=("$ARCH $name.exe was not built"); continue
  fi
  mapfile -t suites < <(list_suites "$name")
  if [ ${#suites[@]} -eq 0 ]; then
    failed=$((failed + 1)); failures+=("$ARCH $name.exe listed no tests"); continue
  fi
  p0=$passed; f0=$failed
  for s in "${suites[@]}"; do run_suite "$name" "$s"; done
  # The sizes of the windows again at 150 percent: Wine reports the LogPixels DPI to
  # programs started after the server restarts.
  if printf '%s\n' "${suites[@]}" | grep -qx AtScreenDpi; then
    # The server is persistent here: stopped (it saves the registry as it goes) and started again.
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    "$WINESERVER" -k >/dev/null 2>&1; "$WINESERVER" -p >/dev/null 2>&1 || true
    run_suite "$name" AtScreenDpi 144dpi
    "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    "$WINESERVER" -k >/dev/null 2>&1; "$WINESERVER" -p >/dev/null 2>&1 || true
  fi
  echo "$ARCH $name: $((passed - p0)) passed, $((failed - f0)) failed (${#suites[@]} suites)"
done

# The benchmarks once each, quickly: their outputs are checked, their times are not.
if [ -f corvane_bench.exe ]; then
  blog="$LOG/$ARCH-bench-quick.log"
  if timeout -k 10 "$SUITE_SECONDS" "$WINE" ./corvane_bench.exe --quick >"$blog" 2>&1; then
    passed=$((passed + 1)); echo "$ARCH benchmarks (quick): ok"
  else
    failed=$((failed + 1)); failures+=("$ARCH benchmarks (quick) (see $blog)")
    echo "$ARCH benchmarks (quick): FAILED"; grep -i 'fail' "$blog" | head -5
  fi
else
  failed=$((failed + 1)); failures+=("$ARCH corvane_bench.exe was not built")
fi
"$WINESERVER" -k >/dev/null 2>&1 || true
printf '%s\n' "$passed" "$failed" "${failures[@]}" >"$OUT"
