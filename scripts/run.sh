#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillfen Pursewise in its data
# folder: $PURSEWISE_DATA, by default ~/Pursewise. The program keeps all its
# files in the folder it starts in, so it is started nowhere else.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

data="${PURSEWISE_DATA:-$HOME/Pursewise}"
mkdir -p "$data"
cd "$data"
exec "$build/src/pursewise" "$@"
