# Shared steps of the desktop tests, sourced by each of them. A test gets its
# own X server (Xvfb, 1280 x 1024 unless DESKTOP_SCREEN says otherwise) with
# the openbox window manager, a fresh data folder, and real input through
# xdotool: key presses and mouse moves arrive as from a keyboard and a mouse,
# so the window manager sees and handles them.
#   source desktop.sh PROGRAM XSHOT
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/program.sh"
program="$(realpath "$1")"
xshot="$(realpath "$2")"
for tool in Xvfb openbox xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

# Every Qt program here, the screen reader included, talks to the X server,
# whatever platform the other tests run on.
export QT_QPA_PLATFORM=xcb
# Under the sanitizer build: what the X and D-Bus libraries keep to the end
# is theirs, not a leak of the program's.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp"
make_work_dir
data="$work/data"
mkdir -p "$data"

# Fails as program.sh's fail does, keeping a picture of the screen and what
# the program printed.
fail() {
  echo "FAIL: $*"
  if [ -n "${DISPLAY:-}" ]; then
    "$xshot" "$work/failure.png" >/dev/null 2>&1 &&
      cp "$work/failure.png" "${DESKTOP_SHOTS:-/tmp}/desktop-failure-$(basename "$0" .sh).png" 2>/dev/null &&
      echo "the screen: ${DESKTOP_SHOTS:-/tmp}/desktop-failure-$(basename "$0" .sh).png"
  fi
  if [ -f "$work/program.log" ]; then
    echo "the program printed:"
    cat "$work/program.log"
  fi
  exit 1
}

# Starts Xvfb on a free display and openbox on it, and waits until the
# window manager has taken the screen.
start_desktop() {
  exec 5>"$work/display"
  Xvfb -displayfd 5 -screen 0 "${DESKTOP_SCREEN:-1280x1024x24}" -nolisten tcp \
    >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  local i
  for i in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for i in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not take the screen"
}

# Starts the program in the data folder, on the X server.
start_program() {
  # shellcheck disable=SC2086 # DESKTOP_ENV is a list of NAME=VALUE words.
  start_in_folder "$data" env ${DESKTOP_ENV:-} "$program"
}

# A first start in an empty folder: the desktop, the program, its start hint
# answered with Enter; sets `main` to the main window, active.
start_past_hint() {
  start_desktop
  start_program
  local box
  box=$(window_titled "Quillfen Pursewise" 20) || fail "the start hint did not appear"
  wait_active "$box"
  xdotool key Return
  main=$(window_titled "Quillfen Pursewise.") || fail "the main window is not shown"
  wait_active "$main"
}

# The visible window whose title matches the extended regular expression
# REGEX, waiting up to SECONDS (10).
window_matching() {
  local regex="$1" seconds="${2:-10}" i id
  for i in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "$regex" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The visible window whose title is exactly TITLE, waiting up to SECONDS (10).
# The message boxes are titled "Quillfen Pursewise", the main window
# "Quillfen Pursewise.".
window_titled() {
  window_matching "^${1//./\\.}\$" "${2:-10}"
}

# Waits up to SECONDS (10) until the data file NAME holds the line LINE.
wait_for_line() {
  wait_until "${3:-10}" has_line "$data/$1" "$2"
}

# A visible window titled "Quillfen Pursewise" at least 600 wide (BIG) or
# narrower (SMALL), waiting up to SECONDS (10): the register and the message
# boxes share that title, and no message box is as wide as a big window.
titled_by_width() {
  local kind="$1" seconds="${2:-10}" i id w
  for i in $(seq $((seconds * 10))); do
    for id in $(xdotool search --onlyvisible --name '^Quillfen Pursewise$' 2>/dev/null || true); do
      w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
      if { [ "$kind" = big ] && [ "$w" -ge 600 ]; } || { [ "$kind" = small ] && [ "$w" -lt 600 ]; }; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}
register_window() { titled_by_width big "${1:-10}"; }
message_box() { titled_by_width small "${1:-5}"; }

# Whether a window titled TITLE is visible now.
shown() {
  xdotool search --onlyvisible --name "^${1//./\\.}\$" >/dev/null 2>&1
}

# Waits until the window manager has given window ID the keyboard.
wait_active() {
  local id="$1" i
  for i in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$id" ] && return 0
    sleep 0.1
  done
  fail "window $id never became active"
}

# Outer geometry, frame included, as "X Y WIDTH HEIGHT" (the frame window the
# window manager put around it).
frame_geometry() {
  local id="$1" frame
  frame=$(xwininfo -id "$id" -tree | awk '/Parent window id:/ {print $4}')
  xwininfo -id "$frame" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# The client area as "X Y WIDTH HEIGHT".
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Drags with the left button from X1 Y1 to X2 Y2 in STEPS moves, as a hand
# would, holding still a moment before letting go.
drag() {
  local x1="$1" y1="$2" x2="$3" y2="$4" steps="${5:-20}" i
  xdotool mousemove "$x1" "$y1"
  sleep 0.2
  xdotool mousedown 1
  for i in $(seq "$steps"); do
    xdotool mousemove $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
    sleep 0.03
  done
  sleep 0.3
  xdotool mouseup 1
}

# Waits until the window's geometry (as given by FUNCTION ID) stays the same
# for a second, and prints it.
settled_geometry() {
  local how="$1" id="$2" last="" now i
  for i in $(seq 60); do
    sleep 0.25
    now=$("$how" "$id")
    if [ "$now" = "$last" ]; then
      sleep 0.75
      [ "$("$how" "$id")" = "$now" ] && { echo "$now"; return 0; }
    fi
    last="$now"
  done
  echo "$now"
}
