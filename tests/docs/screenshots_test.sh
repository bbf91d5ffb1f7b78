#!/usr/bin/env bash
# screenshots_test.sh SOURCE RUNNER
# Keeps the README's pictures current: runs scripts/screenshots.sh into a
# temporary folder and checks that it still plays and saves each picture the
# README shows, as a PNG of the same size as the one in docs/.
set -euo pipefail
source="$1" runner="$2"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
PURSEWISE_SCENARIO="$runner" "$source/scripts/screenshots.sh" "$out"

# Width and height: 4-byte big-endian numbers at bytes 16 and 20 of a PNG.
size_of() {
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}

for picture in main-window.png register.png; do
  grep -qF "docs/$picture" "$source/README.md" || fail "the README does not show docs/$picture"
  [ -f "$out/$picture" ] || fail "the script saved no $picture"
  [ "$(od -An -tx1 -N8 "$out/$picture" | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "$picture is not a PNG picture"
  [ -f "$source/docs/$picture" ] || fail "docs/$picture is missing: run scripts/screenshots.sh"
  [ "$(size_of "$out/$picture")" = "$(size_of "$source/docs/$picture")" ] ||
    fail "$picture is $(size_of "$out/$picture") now, docs/$picture $(size_of "$source/docs/$picture"): run scripts/screenshots.sh"
  echo "$picture: $(size_of "$out/$picture")"
done
echo "PASSED: the README's pictures can be taken again"
