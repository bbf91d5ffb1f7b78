#!/usr/bin/env bash
# Takes the pictures of every window again (docs/screens.md lists them):
# plays docs/screenshots.scenario (a prepared data folder of four cards) with
# the scenario runner, windows offscreen, and saves the pictures into docs/,
# or into the folder given, and at twice the size into its 2x/ folder.
#   scripts/screenshots.sh              builds, then rewrites docs/*.png
#   scripts/screenshots.sh /tmp/pics    the same pictures somewhere else
# PURSEWISE_SCENARIO names a runner that is already built (the test of this
# script uses it); otherwise the script builds build/ (or $PURSEWISE_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_BUILD_DIR:-$root/build}"
out="${1:-$root/docs}"

runner="${PURSEWISE_SCENARIO:-}"
if [ -z "$runner" ]; then
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh" >/dev/null
  runner="$build/tests/scenario/pursewise-scenario"
fi

# The runner plays the script from the folder the pictures go to.
runner="$(cd "$(dirname "$runner")" && pwd)/$(basename "$runner")"
mkdir -p "$out" "$out/2x"
# Offscreen, so the pictures do not depend on a display or its window manager.
(cd "$out" && QT_QPA_PLATFORM=offscreen "$runner" "$root/docs/screenshots.scenario")
(cd "$out/2x" && QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$runner" "$root/docs/screenshots.scenario")
echo "Saved the pictures in $out and $out/2x"
