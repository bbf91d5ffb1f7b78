#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or
# $PURSEWISE_FUZZ_BUILD_DIR) and runs each for SECONDS (default 30) on its
# seed corpus from fuzz/corpus, two at a time (PURSEWISE_FUZZ_JOBS). New
# inputs the fuzzer finds stay in the build folder; a crashing input is kept
# there as <target>-crash-... and the script fails.
#   scripts/fuzz.sh 600                  every target for ten minutes
#   scripts/fuzz.sh 60 card_list money   two of them for a minute
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] &&
  targets=(card_list summary year_ledger card_info begin_bal year_list money fast_text
    qif_statement csv_statement ofx_statement)
jobs="${PURSEWISE_FUZZ_JOBS:-$(nproc)}"

"$root/scripts/install-deps.sh" fuzz

cmake -S "$root" --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan_suppressions.txt"
run_one() {
  local target="$1" work="$build/fuzz-work/$1" log="$build/fuzz-work/$1.log"
  mkdir -p "$work"
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-work/$target-" \
    "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz_$target: $seconds s, $runs inputs, no failure (corpus $(ls "$work" | wc -l) inputs)"
  else
    echo "fuzz_$target: FAILED, see $log"
    tail -40 "$log"
    return 1
  fi
}

failed=0
pids=()
for target in "${targets[@]}"; do
  run_one "$target" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || failed=1
done
exit "$failed"
