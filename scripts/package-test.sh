#!/usr/bin/env bash
# Builds the Debian package in build-deb/ (or $PURSEWISE_DEB_BUILD_DIR) for
# the prefix /usr, installs it with apt-get as a person would, checks that the
# program's files are in place, that its dependencies are declared and that
# it starts from its desktop entry, then removes it with apt-get and checks
# that every file it brought is gone. Needs root, since it installs into the
# system: a copy of the package already installed is replaced and removed.
# Leaves the package in the build folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PURSEWISE_DEB_BUILD_DIR:-$root/build-deb}"
package=pursewise
app_id=example.quillfen.Pursewise
source "$root/tests/support/program.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: the package test installs into the system and must run as root"
  exit 0
fi
for tool in apt-get dpkg dpkg-deb; do
  command -v "$tool" >/dev/null || {
    echo "SKIPPED: $tool is not installed; the package test needs a Debian system"
    exit 0
  }
done

"$root/scripts/install-deps.sh"

# The program alone, for the prefix /usr, where the package puts the help
# document. The normal build already holds our code to warnings as errors.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr \
  -DPURSEWISE_BUILD_TESTS=OFF -DPURSEWISE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single package: ${debs[*]}"
deb="${debs[0]}"
echo "Built $(basename "$deb")"

echo "Declared dependencies"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "  $depends"
# The package names alone, without versions: " libc6 libqt6core6 ... ".
names=" $(sed 's/ *([^)]*)//g; s/ *| */ /g; s/, */ /g' <<<"$depends") "
# libqt6charts6 draws the register's balance chart; libofx7 and libcsv3 read
# bank statements.
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6charts6 \
  libofx7 libcsv3 qt6-qpa-plugins fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core libc6 libstdc++6; do
  case "$names" in
    *" $needed "*) ;;
    *) fail "the package does not depend on $needed" ;;
  esac
done

make_work_dir
at_exit() {
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$package" >/dev/null 2>&1 || true
  fi
}

echo "apt-get install ./$(basename "$deb")"
install_package() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb"
}
if ! install_package >"$work/apt.log" 2>&1; then
  # Package lists that were never fetched cannot resolve the dependencies.
  apt-get update -qq
  install_package >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log"
    fail "apt-get could not install the package"
  }
fi
dpkg-query -W -f='${Status}' "$package" | grep -q 'install ok installed' ||
  fail "dpkg does not list the package as installed"

dpkg-query -L "$package" >"$work/listed"
for file in /usr/bin/pursewise /usr/bin/pursewise-launch /usr/share/pursewise/Pursewise.hlp \
  "/usr/share/applications/$app_id.desktop" "/usr/share/metainfo/$app_id.metainfo.xml" \
  "/usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "/usr/share/icons/hicolor/48x48/apps/$app_id.png" /usr/share/doc/pursewise/copyright; do
  grep -qxF "$file" "$work/listed" || fail "the package does not hold $file"
  [ -f "$file" ] || fail "$file is not there after installing"
done
grep -qx 'License: GPL-3.0-or-later' /usr/share/doc/pursewise/copyright ||
  fail "the package's copyright file does not give the licence GPL-3.0-or-later"
if grep -E '^/usr/local|^/home|^/root' "$work/listed"; then
  fail "the package puts files outside /usr"
fi
# The help document's path is built into the program as UTF-16 text.
strings -el /usr/bin/pursewise |
  awk '/\/usr\/share\/pursewise\/Pursewise\.hlp$/ { found = 1 } END { exit !found }' ||
  fail "the packaged program does not look for its help at /usr/share/pursewise/Pursewise.hlp"
# The balance chart's drawing, loaded when the chart is first opened.
module="$(grep -E '^/usr/lib/.*pursewise/libpursewise_chart\.so$' "$work/listed")" ||
  fail "the package does not hold the chart module libpursewise_chart.so"
[ -f "$module" ] || fail "$module is not there after installing"
strings -el /usr/bin/pursewise | awk -v path="$module" '$0 ~ path"$" { found = 1 } END { exit !found }' ||
  fail "the packaged program does not look for its chart module at $module"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "/usr/share/applications/$app_id.desktop" ||
    fail "desktop-file-validate rejected the installed desktop entry"
fi

echo "The installed desktop entry starts the program in ~/Pursewise"
exec_line="$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")"
read -r -a command <<<"$exec_line"
home="$work/home"
mkdir "$home"
start_from_entry "$home" "$home/Pursewise" /usr/bin/pursewise -- "${command[@]}"
[ "$(ls -A "$home")" = Pursewise ] || fail "the program wrote outside its data folder: $(ls -A "$home")"
stop_program

echo "apt-get remove $package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$package" >"$work/apt.log" 2>&1 || {
  cat "$work/apt.log"
  fail "apt-get could not remove the package"
}
status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || echo not-installed)"
[ "$status" = not-installed ] || fail "after removing, dpkg says the package is $status"
left=0
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then
    echo "left behind: $path" >&2
    left=1
  fi
done <"$work/listed"
[ -e /usr/share/pursewise ] && {
  echo "left behind: /usr/share/pursewise" >&2
  left=1
}
[ "$left" -eq 0 ] || fail "removing the package left files behind"

echo "PASSED: $(basename "$deb") installed, started and removed cleanly"
