#!/usr/bin/env bash
# First run in an empty folder, under a window manager: one OK closes the
# start hint for good, neither the box's closing nor a drag of the window's
# edge brings it back, and the main window's close box then ends the program.
source "$(dirname "$0")/desktop.sh"

start_desktop
start_program
box=$(window_titled "Quillfen Pursewise" 20) || fail "the start hint did not appear"
wait_active "$box"
xdotool key Return

for i in $(seq 30); do
  sleep 0.1
  shown "Quillfen Pursewise" && fail "the start hint came back after its OK"
done

main=$(window_titled "Quillfen Pursewise.") || fail "the main window is not shown"
wait_active "$main"
read -r x y w h < <(frame_geometry "$main")
drag $((x + w / 2)) $((y + h - 2)) $((x + w / 2)) $((y + h + 60))
for i in $(seq 20); do
  sleep 0.1
  shown "Quillfen Pursewise" && fail "the start hint came back after a drag of the window's edge"
done

xdotool key alt+F4
for i in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the close box did not end the program"
wait "$program_pid" || fail "the program ended with status $?"
echo "PASS"
