#!/usr/bin/env bash
# Builds everything and runs every test: host tests (sanitizers), short fuzz runs,
# Windows tests and end-to-end tests under Wine, for win64 and (where it runs) win32.
# Ends with "N passed, N failed, N skipped".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh" || exit 1
FUZZ_SECONDS="${FUZZ_SECONDS:-10}"
LOG="$BUILD/test-logs"; mkdir -p "$LOG"
passed=0; failed=0; skipped=0; failures=()

source "$ROOT/scripts/gtest-count.sh"

echo "== host build"
if build_host >"$LOG/host-build.log" 2>&1; then
  "$HOST_BUILD/host_tests" >"$LOG/host_tests.log" 2>&1; count_gtest host_tests "$LOG/host_tests.log" $?
  echo "== fuzzing (${FUZZ_SECONDS}s per target)"
  seeds="$BUILD/fuzz-seeds"
  bash "$ROOT/scripts/make-seed-corpus.sh" "$seeds" "$HOST_BUILD" >"$LOG/fuzz-seeds.log" 2>&1 || true
  for fz in "$HOST_BUILD"/fuzz_*; do
    [ -x "$fz" ] || continue
    n=$(basename "$fz"); corpus="$BUILD/fuzz-corpus/$n"; mkdir -p "$corpus"
    seed="$seeds/${n#fuzz_skin_}"; [ -d "$seed" ] || seed=""
    if (cd "$LOG" && "$fz" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$corpus" $seed) >"$LOG/$n.log" 2>&1; then
      passed=$((passed + 1)); echo "$n: ok ($(sed -n 's/^stat::number_of_executed_units: *//p' "$LOG/$n.log") runs)"
    else
      failed=$((failed + 1)); failures+=("$n (see $LOG/$n.log)"); echo "$n: FINDING"
    fi
  done
else
  failed=$((failed + 1)); failures+=("host build (see $LOG/host-build.log)"); tail -30 "$LOG/host-build.log"
fi

echo "== format of the changed C++ files"
if bash "$ROOT/scripts/format-check.sh" >"$LOG/format.log" 2>&1; then
  passed=$((passed + 1)); tail -1 "$LOG/format.log"
else
  failed=$((failed + 1)); failures+=("format (see $LOG/format.log)"); head -40 "$LOG/format.log"
fi

echo "== art generator checks"
python3 "$ROOT/tools/genart/test_genart.py" >"$LOG/genart.log" 2>&1
count_unittest genart "$LOG/genart.log" $?

# One architecture's Windows build, Windows tests, end-to-end tests and package tests;
# sets counted to the number of tests that ran.
windows_tests() {
  use_arch "$1"
  local start=$((passed + failed))
  echo "== windows build ($ARCH)"
  if ! build_windows >"$LOG/$ARCH-build.log" 2>&1; then
    failed=$((failed + 1)); failures+=("$ARCH build (see $LOG/$ARCH-build.log)"); tail -30 "$LOG/$ARCH-build.log"
    counted=$((passed + failed - start))
    return
  fi
  if ! wine_prefix_ready; then
    failed=$((failed + 1)); failures+=("$ARCH Wine prefix"); counted=$((passed + failed - start)); return
  fi
  local summary="$LOG/$ARCH-summary"; rm -f "$summary"
  if [ -n "${DISPLAY:-}" ]; then
    bash "$ROOT/scripts/win-tests.sh" "$ARCH" "$summary"
  else
    # One virtual display for every Windows test of this architecture.
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/win-tests.sh" "$ARCH" "$summary"
  fi
  if [ -f "$summary" ]; then
    { read -r p; read -r f; mapfile -t fl; } <"$summary"
    passed=$((passed + p)); failed=$((failed + f))
    for x in "${fl[@]}"; do [ -n "$x" ] && failures+=("$x"); done
  else
    failed=$((failed + 1)); failures+=("$ARCH windows tests did not report")
  fi
  source "$ROOT/scripts/package-tests.sh" "$WIN_BUILD"
  counted=$((passed + failed - start))
}

# The 64-bit build runs everywhere; the 32-bit one where this machine runs 32-bit code.
windows_tests win64
if can_run_32bit; then
  windows_tests win32
else
  # The same tests as the 64-bit run, counted as skipped, never as passed.
  skipped=$((skipped + counted))
  echo "== win32: $counted tests skipped: $WHY_NO_32BIT"
fi

for f in "${failures[@]}"; do [ -n "$f" ] && echo "FAILED: $f"; done
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
