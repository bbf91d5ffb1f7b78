#!/usr/bin/env bash
# Undo and Redo pressed as a person presses them, under a real window manager:
# a card added through the dialog, Ctrl+Z in the main window takes it out of
# the files again, Ctrl+Shift+Z brings it back; in the register, an entry
# added and Ctrl+Z takes it out, Ctrl+Y puts it back.
source "$(dirname "$0")/desktop.sh"

year=$(date +%y)
start_past_hint

# A card: name, expiry, rate, intro rate, intro expiry, due day, limit.
xdotool key alt+a
dialog=$(window_matching "Add a New Card") || fail "Alt+A did not open the card dialog"
wait_active "$dialog"
xdotool type --delay 40 "Visa"
xdotool key Tab Tab
xdotool type --delay 40 "18.9"
xdotool key Tab
xdotool type --delay 40 "0"
xdotool key Tab Tab
xdotool type --delay 40 "15"
xdotool key Tab
xdotool type --delay 40 "1000"
xdotool key Return
wait_for_line CardList.dat "0 1 1. Visa" || fail "the card was not saved"
wait_active "$main"

# Ctrl+Z: the first card of a new folder leaves no card list behind.
xdotool key ctrl+z
for _ in $(seq 50); do [ -f "$data/CardList.dat" ] || break; sleep 0.1; done
[ ! -f "$data/CardList.dat" ] || fail "Ctrl+Z did not take the card out of CardList.dat"
[ ! -f "$data/1info.dat" ] || fail "Ctrl+Z left the card's information file"
xdotool key ctrl+shift+z
wait_for_line CardList.dat "0 1 1. Visa" || fail "Ctrl+Shift+Z did not bring the card back"
wait_for_line 1info.dat "Visa" || fail "Ctrl+Shift+Z did not bring the card's information back"

# The register: the card's row clicked, then Alt+O; a charge added there.
read -r cx cy cw ch < <(client_geometry "$main")
xdotool mousemove $((cx + cw / 4)) $((cy + 19 + (ch - 19) * 157 / 453)) click 1
sleep 0.3
xdotool key alt+o
form1=$(register_window) || fail "Alt+O did not open the register"
wait_active "$form1"
xdotool key alt+a
entry=$(window_matching "Add an Entry") || fail "Alt+A did not open the entry dialog"
wait_active "$entry"
xdotool key Tab
xdotool type --delay 40 "Books"
xdotool key Tab space
xdotool type --delay 40 "12.50"
xdotool key Return
wait_for_line "1$year.dat" "3 1 12.50" || fail "the charge was not saved"
wait_active "$form1"

xdotool key ctrl+z
for _ in $(seq 50); do
  tr -d '\r' <"$data/1$year.dat" | grep -qx "3 1 12.50" || break
  sleep 0.1
done
! tr -d '\r' <"$data/1$year.dat" | grep -qx "3 1 12.50" || fail "Ctrl+Z in the register did not take the charge out"
xdotool key ctrl+y
wait_for_line "1$year.dat" "3 1 12.50" || fail "Ctrl+Y in the register did not put the charge back"
echo "PASS"
