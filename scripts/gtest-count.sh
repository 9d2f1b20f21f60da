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
  if [ "$f" -gt 0 ]; then failures+=("$name (see $log)$(gtest_failure_lines "$log")"); fi
  echo "$name: $p passed, $f failed"
}

# The failed cases of a GoogleTest log, each with its first failure's place and
# message on one line, so a summary that is all one sees of a run still names them.
gtest_failure_lines() {
  tr -d '\r' <"$1" | awk '
    /^\[ RUN      \] / { name = $4; first = "" }
    /: Failure$/ && first == "" { first = $0; getline; first = first " " $0; getline; first = first " " $0 }
    /^\[  FAILED  \] [^ ]+ \(/ && name != "" {
      printf "\n  %s: %s", $4, substr(first, 1, 240); name = "" }'
}

# The same for one Python unittest run ("Ran N tests", then "OK" or
# "FAILED (failures=F, errors=E)"); no "Ran" line counts as a failure.
count_unittest() {
  local name=$1 log=$2 rc=$3 n f x
  n=$(sed -n 's/^Ran \([0-9]*\) tests\? in .*/\1/p' "$log" | tail -1)
  f=0
  for x in $(sed -n 's/^FAILED (\(.*\))$/\1/p' "$log" | tr ',' ' '); do
    case $x in failures=*|errors=*) f=$((f + ${x#*=})) ;; esac
  done
  n=${n:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  if [ "$n" -eq 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  [ "$f" -gt "$n" ] && n=$f
  passed=$((passed + n - f)); failed=$((failed + f))
  if [ "$f" -gt 0 ]; then failures+=("$name (see $log)"); fi
  echo "$name: $((n - f)) passed, $f failed"
}
