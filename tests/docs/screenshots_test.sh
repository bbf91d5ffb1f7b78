#!/usr/bin/env bash
# screenshots_test.sh SOURCE RUNNER
# Keeps the README's pictures current: runs scripts/screenshots.sh into a
# temporary folder and checks that it still plays and saves each picture the
# README shows, as a PNG of the same size as the one in docs/.
set -euo pipefail
source="$1" runner="$2"
source "$(dirname "${BASH_SOURCE[0]}")/../support/program.sh"

make_work_dir
out="$work"
PURSEWISE_SCENARIO="$runner" "$source/scripts/screenshots.sh" "$out"

for picture in main-window.png register.png; do
  grep -qF "docs/$picture" "$source/README.md" || fail "the README does not show docs/$picture"
  [ -f "$out/$picture" ] || fail "the script saved no $picture"
  is_png "$out/$picture" || fail "$picture is not a PNG picture"
  [ -f "$source/docs/$picture" ] || fail "docs/$picture is missing: run scripts/screenshots.sh"
  [ "$(png_size "$out/$picture")" = "$(png_size "$source/docs/$picture")" ] ||
    fail "$picture is $(png_size "$out/$picture") now, docs/$picture $(png_size "$source/docs/$picture"): run scripts/screenshots.sh"
  echo "$picture: $(png_size "$out/$picture")"
done
echo "PASSED: the README's pictures can be taken again"
