#!/usr/bin/env bash
# Configures and builds into build/ (or $PURSEWISE_BUILD_DIR). Extra arguments
# go to the configure step. Under CI, warnings in our code are errors.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_BUILD_DIR:-$root/build}"

werror=OFF
[ -n "${CI:-}" ] && werror=ON

cmake -S "$root" --preset default -B "$build" -DPURSEWISE_WERROR="$werror" "$@"
cmake --build "$build" --parallel "$(nproc)"
