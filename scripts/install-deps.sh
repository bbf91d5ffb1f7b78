#!/usr/bin/env bash
# Installs what building, running and testing Quillfen Pursewise needs on
# Debian 12, and nothing when everything is already there. With the argument
# "fuzz", also what scripts/fuzz.sh needs. Runs apt-get as
# root, or through sudo for an ordinary user.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libqt6printsupport6 qt6-qpa-plugins libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  # The crash test kills the program at a chosen rename.
  strace
  # The desktop tests run the program on Xvfb under a real window manager
  # and drive it with real key presses and mouse drags.
  openbox xdotool x11-utils
  # Free look-alikes of the fonts the windows ask for: Liberation for Arial
  # and Times New Roman, URW Bookman for Bookman Old Style, Comic Neue for
  # Comic Sans MS.
  fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core fontconfig
  # The install test validates the desktop entry and the AppStream data; the
  # Debian package's dependencies on libraries come from dpkg-shlibdeps.
  desktop-file-utils appstream dpkg-dev
  # The statement import reads OFX and QFX through libofx, CSV through libcsv.
  libofx-dev libcsv-dev
  # The register's balance chart draws with Qt Charts, whose CMake package
  # needs Qt OpenGL's (which Debian keeps apart from qt6-base-dev).
  qt6-charts-dev libqt6opengl6-dev
)
# The fuzz targets (scripts/fuzz.sh) need clang and its libFuzzer runtime;
# the normal build does not.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
