#!/usr/bin/env bash
# install_test.sh CMAKE BUILD PREFIX HELP_FILE
# Installs the build into a temporary root (DESTDIR) and checks what a desktop
# and a person get from it: every file in its standard place under PREFIX,
# the desktop entry and the AppStream data valid, icons of the sizes their
# folders say, the help document where the program looks for it, and the
# program started by the desktop entry's command, in its data folder, writing
# nothing outside it. Exits 77 (skipped) only when a checking tool is missing.
set -euo pipefail
cmake="$1" build="$2" prefix="$3" help="$4"
app_id=example.quillfen.Pursewise
source "$(dirname "${BASH_SOURCE[0]}")/../support/program.sh"

skip() {
  echo "SKIPPED: $1 is not installed (scripts/install-deps.sh installs it)"
  exit 77
}
command -v desktop-file-validate >/dev/null || skip "desktop-file-validate (desktop-file-utils)"
command -v appstreamcli >/dev/null || skip "appstreamcli (appstream)"
command -v strings >/dev/null || skip "strings (binutils)"

make_work_dir

root="$work/root"
DESTDIR="$root" "$cmake" --install "$build" >/dev/null
installed="$root$prefix"
desktop="$installed/share/applications/$app_id.desktop"
metainfo="$installed/share/metainfo/$app_id.metainfo.xml"

echo "Files in their places under $prefix"
for file in bin/pursewise bin/pursewise-launch "share/applications/$app_id.desktop" \
  "share/metainfo/$app_id.metainfo.xml" "share/icons/hicolor/scalable/apps/$app_id.svg" \
  share/doc/pursewise/copyright; do
  [ -f "$installed/$file" ] || fail "$prefix/$file was not installed"
done
for program in pursewise pursewise-launch; do
  [ -x "$installed/bin/$program" ] || fail "$prefix/bin/$program is not executable"
done
grep -q '<svg' "$installed/share/icons/hicolor/scalable/apps/$app_id.svg" ||
  fail "the scalable icon is not an SVG picture"

for side in 16 22 24 32 48 64 128 256; do
  png="$installed/share/icons/hicolor/${side}x${side}/apps/$app_id.png"
  [ -f "$png" ] || fail "no ${side}x${side} icon"
  is_png "$png" || fail "$png is not a PNG picture"
  size="$(png_size "$png")"
  [ "$size" = "${side}x${side}" ] || fail "the ${side}x${side} icon is $size"
done

echo "The help document where the program looks for it: $help"
[ -f "$root$help" ] || fail "the help document is not at $help"
cmp -s "$root$help" "$build/src/Pursewise.hlp" || fail "the installed help document is not the built one"
# The path is built into the program as UTF-16 text; a stray character may
# stand before it.
looks_for() {
  strings -el "$1" | awk -v path="$2" 'substr($0, length($0) - length(path) + 1) == path { found = 1 }
    END { exit !found }'
}
looks_for "$installed/bin/pursewise" "$help" ||
  fail "the installed program does not look for its help at $help"

echo "The balance chart's drawing module where the program looks for it"
modules="$(cd "$root" && find . -name libpursewise_chart.so)"
[ "$(wc -l <<<"$modules")" -eq 1 ] && [ -n "$modules" ] || fail "not one chart module installed: $modules"
module="${modules#.}"
case "$module" in
  "$prefix"/lib*/pursewise/libpursewise_chart.so) ;;
  *) fail "the chart module is installed at $module, not in a pursewise folder of $prefix's libraries" ;;
esac
looks_for "$installed/bin/pursewise" "$module" ||
  fail "the installed program does not look for its chart module at $module"
echo "desktop-file-validate and appstreamcli validate"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejected the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejected the AppStream data"
grep -qxF "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the installed icon"
grep -qxF "  <project_license>GPL-3.0-or-later</project_license>" "$metainfo" ||
  fail "the AppStream data do not give the licence GPL-3.0-or-later"
grep -qx 'License: GPL-3.0-or-later' "$installed/share/doc/pursewise/copyright" ||
  fail "the copyright file does not give the licence GPL-3.0-or-later"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream data do not name the desktop entry"

exec_line="$(sed -n 's/^Exec=//p' "$desktop")"
read -r -a command <<<"$exec_line"
[ "${command[0]}" = "$prefix/bin/pursewise-launch" ] ||
  fail "the desktop entry starts \"${command[0]}\", not $prefix/bin/pursewise-launch"
case "$exec_line" in *%*) fail "the desktop entry passes files or URLs: $exec_line" ;; esac
command[0]="$root${command[0]}"

# Starts the desktop entry's command and checks that the installed program
# runs in `data` and stays running; then ends it.
start_and_stop() {
  local data="$1"
  shift
  start_from_entry "$home" "$data" "$installed/bin/pursewise" "$@" -- "${command[@]}"
  [ "$(readlink "/proc/$program_pid/cwd")" = "$(cd "$data" && pwd -P)" ] ||
    fail "the program runs in $(readlink "/proc/$program_pid/cwd"), not in $data"
  stop_program
}

home="$work/home"
mkdir "$home"

echo "The desktop entry's command makes ~/Pursewise and starts the program in it"
start_and_stop "$home/Pursewise"
[ "$(ls -A "$home")" = Pursewise ] || fail "the program wrote outside its data folder: $(ls -A "$home")"

echo "PURSEWISE_DATA names another data folder"
rm -rf "${home:?}"/*
start_and_stop "$work/records/cards" PURSEWISE_DATA="$work/records/cards"
[ -z "$(ls -A "$home")" ] || fail "the program wrote into the home folder: $(ls -A "$home")"

echo "The home folder itself is refused as the data folder"
if env HOME="$home" PURSEWISE_DATA="$home" QT_QPA_PLATFORM=offscreen "${command[@]}" \
  >"$work/refused.log" 2>&1; then
  fail "the program was started in the home folder"
fi
grep -q "is the home folder" "$work/refused.log" || fail "no reason given: $(cat "$work/refused.log")"
[ -z "$(ls -A "$home")" ] || fail "something was written into the home folder: $(ls -A "$home")"

echo "PASSED: installed into $prefix, validated, started from the desktop entry"
