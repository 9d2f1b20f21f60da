# Adds one GoogleTest run to the counters passed, failed and failures; a run that
# printed no summary (a crash, a hang cut by timeout) counts as a failure.
count_gtest() {
  local name=$1 log=$2 rc=$3 p f
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
  p=${p:-0}; f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  if [ "$p" -eq 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p)); failed=$((failed + f))
  if [ "$f" -gt 0 ]; then failures+=("$name (see $log)"); fi
  echo "$name: $p passed, $f failed"
}
