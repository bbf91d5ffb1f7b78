#!/usr/bin/env bash
# Builds the program and every test under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ (or $PURSEWISE_ASAN_BUILD_DIR) and
# runs the whole suite, scenarios included, windows offscreen. The first
# report of either sanitizer, a leak included, fails its test and the script.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_ASAN_BUILD_DIR:-$root/build-asan}"

"$root/scripts/install-deps.sh"
cmake -S "$root" --preset asan -B "$build"
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks inside libofx itself (on some damaged OFX files) are not ours to fix;
# every other leak still fails the run.
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan_suppressions.txt"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
