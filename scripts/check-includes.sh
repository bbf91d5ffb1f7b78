#!/usr/bin/env bash
# The folders of src/ are layers, and a file includes only files of its own
# folder or of a lower layer. From the bottom:
#   core/platform; core/amounts and core/layout; core/cards and core/register;
#   core/program; ui/kit; ui/windows; main.cpp
# Folders on the same step never include each other. Prints every include
# that runs up or sideways and fails if there is one; also fails on a file
# outside the known folders, so a new folder gets its step here first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../src"

step() {
  case "$1" in
    core/platform) echo 0 ;;
    core/amounts | core/layout) echo 1 ;;
    core/cards | core/register) echo 2 ;;
    core/program) echo 3 ;;
    ui/kit) echo 4 ;;
    ui/windows) echo 5 ;;
    .) echo 6 ;;
    *) echo -1 ;;
  esac
}

faults=0
while IFS= read -r file; do
  from="$(dirname "$file")"
  from_step="$(step "$from")"
  if [ "$from_step" -lt 0 ]; then
    echo "$file: in no layer"
    faults=$((faults + 1))
    continue
  fi
  while IFS= read -r line; do
    target="$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$line")"
    to="$(dirname "$target")"
    [ "$to" = "$from" ] && continue
    to_step="$(step "$to")"
    if [ "$to_step" -lt 0 ] || [ "$to_step" -ge "$from_step" ]; then
      echo "$file: includes \"$target\", which is not below $from"
      faults=$((faults + 1))
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*/#include /' || true)
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if [ "$faults" -gt 0 ]; then
  echo "$faults include(s) run up or sideways" >&2
  exit 1
fi
echo "includes: every file looks only down"
