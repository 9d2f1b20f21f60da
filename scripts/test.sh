#!/usr/bin/env bash
# Builds everything and runs every test: host tests (sanitizers), short fuzz runs,
# Windows tests and end-to-end tests under Wine. Ends with "N passed, N failed".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh" || exit 1
FUZZ_SECONDS="${FUZZ_SECONDS:-10}"
LOG="$BUILD/test-logs"; mkdir -p "$LOG"
passed=0; failed=0; failures=()

# Adds up one GoogleTest run; a run that printed no summary (a crash) counts as a failure.
count_gtest() {
  local name=$1 log=$2 rc=$3 p f
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
  p=${p:-0}; f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p)); failed=$((failed + f))
  [ "$f" -gt 0 ] && failures+=("$name (see $log)")
  echo "$name: $p passed, $f failed"
}

echo "== host build"
if build_host >"$LOG/host-build.log" 2>&1; then
  if [ -x "$HOST_BUILD/host_tests" ]; then
    "$HOST_BUILD/host_tests" >"$LOG/host_tests.log" 2>&1; count_gtest host_tests "$LOG/host_tests.log" $?
  fi
  echo "== fuzzing (${FUZZ_SECONDS}s per target)"
  for fz in "$HOST_BUILD"/fuzz_*; do
    [ -x "$fz" ] || continue
    n=$(basename "$fz"); corpus="$BUILD/fuzz-corpus/$n"; mkdir -p "$corpus"
    if [ -x "$ROOT/scripts/make-seed-corpus.sh" ]; then bash "$ROOT/scripts/make-seed-corpus.sh" "$n" "$corpus" >/dev/null 2>&1 || true; fi
    if "$fz" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$corpus" >"$LOG/$n.log" 2>&1; then
      passed=$((passed + 1)); echo "$n: ok ($(sed -n 's/^stat::number_of_executed_units: *//p' "$LOG/$n.log") runs)"
    else
      failed=$((failed + 1)); failures+=("$n (see $LOG/$n.log)"); echo "$n: FINDING"
    fi
  done
else
  failed=$((failed + 1)); failures+=("host build (see $LOG/host-build.log)"); tail -30 "$LOG/host-build.log"
fi

echo "== windows build"
if build_windows >"$LOG/win-build.log" 2>&1; then
  wine_prefix_ready
  wineserver -p >/dev/null 2>&1 || true
  run_win() {
    local name=$1; shift
    [ -f "$WIN_BUILD/bin/$name.exe" ] || return 0
    (cd "$WIN_BUILD/bin" && timeout 900 wine "./$name.exe" "$@") >"$LOG/$name.log" 2>&1
    count_gtest "$name" "$LOG/$name.log" $?
  }
  inner() { run_win win_tests; run_win e2e_tests; }
  if [ -n "${DISPLAY:-}" ]; then
    inner
  else
    # One virtual display for every Windows test; results come back through a file.
    export -f run_win count_gtest
    export WIN_BUILD LOG
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
      passed=0; failed=0; failures=()
      run_win win_tests; run_win e2e_tests
      printf "%s\n" "$passed" "$failed" "${failures[@]}" > "$LOG/win-summary"
    '
    { read -r p; read -r f; mapfile -t fl; } <"$LOG/win-summary"
    passed=$((passed + p)); failed=$((failed + f)); failures+=("${fl[@]}")
  fi
  wineserver -k >/dev/null 2>&1 || true
else
  failed=$((failed + 1)); failures+=("windows build (see $LOG/win-build.log)"); tail -30 "$LOG/win-build.log"
fi

for f in "${failures[@]}"; do [ -n "$f" ] && echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
