#!/bin/sh
# Runs every fuzz target of a build folder over its seed corpus and prints, per target, the
# executions and the findings. Usage: run_fuzzers.sh BUILD_DIR (-max_total_time=S | -runs=N)
# A target that finds a fault leaves the input under BUILD_DIR/fuzz-findings/<target>/ and the
# script ends with status 1.
set -u
build=$1
limit=$2
here=$(cd "$(dirname "$0")" && pwd)
status=0
printf '%-16s %14s  %s\n' target executions findings
for target in project_file raw_data settings_file run_input; do
  corpus=$build/fuzz-corpus/$target
  findings=$build/fuzz-findings/$target
  mkdir -p "$corpus" "$findings"
  log=$build/fuzz-$target.log
  # New inputs go to the working corpus; the seeds in the source tree stay as they are. The
  # project file is about 125 kB, so the inputs may be that long.
  "$build/fuzz_$target" "$limit" -max_len=200000 -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$here/$target" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$findings" -type f | wc -l)
  printf '%-16s %14s  %s\n' "$target" "${runs:-?}" "$found"
  if [ "$result" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    grep -m 5 -E 'ERROR|promise broken|SUMMARY' "$log" | sed 's/^/    /'
    echo "    see $log"
  fi
done
exit $status
