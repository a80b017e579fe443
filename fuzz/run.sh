#!/usr/bin/env bash
# run.sh TARGET SECONDS MAX_LEN SEED_FOLDER WORK_FOLDER [MORE_SEEDS...]: a
# bounded libFuzzer run of one target built with the address and
# undefined-behaviour sanitizers. The seeds are copied into a working corpus
# that keeps growing from run to run; the run fails on any crash, leak, hang
# or sanitizer finding, and prints how many inputs it ran and the coverage
# it reached.
set -euo pipefail

target=$1 seconds=$2 max_len=$3 seeds=$4 work=$5
shift 5
mkdir -p "$work/corpus"
cp "$seeds"/* "$@" "$work/corpus/"
cd "$work"
status=0
"$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=5 -rss_limit_mb=2048 \
  -print_final_stats=1 corpus >fuzz.log 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 60 fuzz.log
else
  grep -E "DONE|number_of_executed_units|peak_rss_mb" fuzz.log || true
fi
exit "$status"
