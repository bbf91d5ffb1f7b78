#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test, windows offscreen.
# Fails when any test fails; ends with CTest's summary line.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
