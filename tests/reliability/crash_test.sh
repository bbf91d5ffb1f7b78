#!/usr/bin/env bash
# crash_test.sh RUNNER CHECKER SCRIPT [EVERY]
#
# Kills a run of the scenario SCRIPT at a rename, as a crash or power cut
# would, then starts the program again on what the run left and checks that
# the files agree (CHECKER, pursewise-check). Every rename the script makes
# is a save taking effect, so killing the run at each one in turn reaches
# every state the disk passes through. EVERY (default 1) tries every EVERY-th
# rename only, for a short run.
#
# First plays the script whole, counting its renames; that run must pass and
# leave agreeing files. Then, for each chosen rename N, a fresh folder, a run
# killed by strace at its N-th rename (SIGKILL: nothing of the program's own
# runs after it), and a check. Ends with "N passed, N failed" (a trial
# passes when the kill happened and the files agree) and exits 1 on any
# failure.
set -uo pipefail
runner=$1
checker=$2
script=$3
every=${4:-1}
export QT_QPA_PLATFORM=offscreen
source "$(dirname "${BASH_SOURCE[0]}")/../support/program.sh"

# LeakSanitizer cannot work under a tracer; a sanitizer build checks leaks in
# its other tests.
traced_env=(env "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0")

make_work_dir
renames=rename,renameat,renameat2

mkdir "$work/whole"
if ! "${traced_env[@]}" strace -f -qq -o "$work/trace" -e trace=$renames \
    "$runner" --data "$work/whole" "$script" >"$work/out" 2>/dev/null; then
  echo "the uninterrupted run failed:"
  cat "$work/out"
  echo "0 passed, 1 failed"
  exit 1
fi
total=$(grep -c -E '^[0-9]+ +rename' "$work/trace")
if ! "$checker" --carried-into 27 "$work/whole" >"$work/out"; then
  echo "the files of the uninterrupted run disagree:"
  cat "$work/out"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "the uninterrupted run made $total renames; killing at every ${every}. of them"

passed=0
failed=0
killed=0
for ((n = 1; n <= total; n += every)); do
  folder="$work/trial-$n"
  mkdir "$folder"
  # In a subshell of its own, so that the shell says nothing of the kill.
  status=$( ("${traced_env[@]}" strace -f -qq -o /dev/null -e trace=$renames \
    -e inject=$renames:signal=SIGKILL:when=$n "$runner" --data "$folder" "$script" \
    >/dev/null 2>&1); echo $?)
  # strace ends with the signal that ended the program: 128 + 9.
  if [ "$status" -ne 137 ]; then
    echo "rename $n: the run was not killed (exit $status)"
    failed=$((failed + 1))
  elif "$checker" --carried-into 27 "$folder" >"$work/out"; then
    passed=$((passed + 1))
    killed=$((killed + 1))
  else
    killed=$((killed + 1))
    echo "rename $n: after the restart the files disagree:"
    cat "$work/out"
    failed=$((failed + 1))
  fi
  rm -rf "$folder"
done

echo "$killed runs killed at a rename, $failed trials failed"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
