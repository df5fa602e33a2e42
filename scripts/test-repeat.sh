#!/usr/bin/env bash
# Runs the whole x86_64 suite N times in a row from one build, each run in a
# test session of its own, and prints each run's time and failures; ends with
# a summary, and fails when any run failed. Usage: test-repeat.sh N [jobs]
# Each run's full output stays in build/test-repeat/run-<n>.log.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
runs=${1:-5}
jobs=${2:-4}
case "$runs" in ''|*[!0-9]*) echo "test-repeat: N must be a number" >&2; exit 2 ;; esac
[ -d "$repo/build" ] || { echo "test-repeat: no build/ (build the x86_64 tree first)" >&2; exit 2; }

logs="$repo/build/test-repeat"
mkdir -p "$logs"
failed_runs=0
summary=()
for n in $(seq 1 "$runs"); do
  log="$logs/run-$n.log"
  start=$(date +%s)
  bash "$here/test-session.sh" ctest --test-dir "$repo/build" -j "$jobs" --output-on-failure --timeout 300 >"$log" 2>&1
  status=$?
  seconds=$(( $(date +%s) - start ))
  result=$(grep -E '^[0-9]+% tests passed' "$log" | tail -1)
  # The names ctest lists after "The following tests FAILED:".
  failures=$(sed -n '/^The following tests FAILED:/,$p' "$log" | grep -E '^[[:space:]]+[0-9]+ - ' | sed 's/^[[:space:]]*//')
  [ -n "$result" ] || result="no result (ctest status $status)"
  line="run $n/$runs: ${seconds} s, $result, load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "$line"
  summary+=("$line")
  if [ "$status" -ne 0 ] || [ -n "$failures" ]; then
    failed_runs=$((failed_runs + 1))
    if [ -n "$failures" ]; then
      echo "$failures" | sed 's/^/    failed: /'
    else
      echo "    (see $log)"
    fi
  fi
done

echo "test-repeat: $((runs - failed_runs)) of $runs runs passed"
[ "$failed_runs" -eq 0 ]
