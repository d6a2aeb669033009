#!/usr/bin/env bash
# Runs one fuzz target, or all of them, for SECONDS each from its seed corpus (fuzz/corpus/<target>/),
# and prints per target its runs, rate and coverage. New inputs go to a work folder under the build, never
# into the seed corpus; a crash leaves its input there and fails the script.
#   fuzz/run.sh TARGET|all SECONDS [BUILD_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
target=${1:?target or all}
seconds=${2:?seconds per target}
build=${3:-build/native-fuzz}

targets=(ini_document_fuzz clip_list_merge_fuzz registry_file_fuzz description_parse_fuzz recorder_metadata_fuzz
         dialog_selection_fuzz command_line_fuzz)
[ "$target" = all ] || targets=("$target")

# The rate per CPU second (user and system time) holds on a busy machine too.
TIMEFORMAT='%U + %S'
status=0
for t in "${targets[@]}"; do
  work="$build/fuzz-work/$t"
  mkdir -p "$work/corpus"
  log="$work/last.log"
  # Entropic scheduling spends most of the time on its own bookkeeping with this many features.
  { time "$build/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -entropic=0 \
    -artifact_prefix="$work/" "$work/corpus" "fuzz/corpus/$t" >"$log" 2>&1; } 2>"$work/cpu"
  rc=$?
  cpu=$(bc <"$work/cpu")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  if [ $rc -eq 0 ]; then
    per_cpu=$( [ -n "$runs" ] && echo "$runs / ($cpu + 0.01)" | bc || echo "?")
    echo "$t: ${runs:-?} runs, ${rate:-?} runs/s (${per_cpu} per CPU second), ${cov:-no coverage line}"
  else
    echo "$t: FAILED (exit $rc) after ${runs:-?} runs; log: $log"
    grep -m1 -A12 -E '^==[0-9]+==ERROR|runtime error|deadly signal' "$log" || tail -20 "$log"
    status=1
  fi
done
exit $status
