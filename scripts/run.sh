#!/usr/bin/env bash
# Installs what is missing, builds the program (only the program: the tests
# and benchmarks are left to scripts/test.sh), and starts Quillfen Pursewise
# in its data folder: $PURSEWISE_DATA, by default ~/Pursewise. The program
# keeps all its files in the folder it starts in, so it is started nowhere
# else. The build shows its progress; a first build takes a few minutes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
echo "Building Quillfen Pursewise in $build"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target pursewise

data="${PURSEWISE_DATA:-$HOME/Pursewise}"
mkdir -p "$data"
cd "$data"
echo "Starting Quillfen Pursewise in $data"
exec "$build/src/pursewise" "$@"
