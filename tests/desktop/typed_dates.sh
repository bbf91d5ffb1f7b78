#!/usr/bin/env bash
# Dates typed key by key into the card dialog's and the entry dialog's date
# boxes, as a person types them: a whole short date is that date, with or
# without leading zeros, and text that is no date is refused with a message
# while the dialog stays open.
source "$(dirname "$0")/desktop.sh"

year=$(date +%y)
start_past_hint

# A card: name, expiry 10/31/28 typed over the date shown, rate, intro rate,
# intro expiry 03/05/27 with leading zeros, due day, limit.
xdotool key alt+a
dialog=$(window_matching "Add a New Card") || fail "Alt+A did not open the card dialog"
wait_active "$dialog"
xdotool type --delay 40 "Visa"
xdotool key Tab ctrl+a
xdotool type --delay 40 "10/31/28"
xdotool key Tab
xdotool type --delay 40 "18.9"
xdotool key Tab
xdotool type --delay 40 "0"
xdotool key Tab ctrl+a
xdotool type --delay 40 "03/05/27"
xdotool key Tab
xdotool type --delay 40 "15"
xdotool key Tab
xdotool type --delay 40 "1000"
xdotool key Return
wait_for_line CardList.dat "1 1 10/31/28" ||
  fail "the typed card expiry 10/31/28 was not saved as such: $(tr -d '\r' <"$data/CardList.dat" 2>/dev/null | tr '\n' '|')"
wait_for_line CardList.dat "7 1 3/5/27" ||
  fail "the typed intro expiry 03/05/27 was not saved as 3/5/27: $(tr -d '\r' <"$data/CardList.dat" 2>/dev/null | tr '\n' '|')"

# The register: the card's row clicked, then Alt+O.
wait_active "$main"
read -r cx cy cw ch < <(client_geometry "$main")
xdotool mousemove $((cx + cw / 4)) $((cy + 19 + (ch - 19) * 157 / 453)) click 1
sleep 0.3
xdotool key alt+o
form1=$(register_window) || fail "Alt+O did not open the register"
wait_active "$form1"

# An entry whose date is no date: refused, the dialog stays; then 3/15/YY.
xdotool key alt+a
entry=$(window_matching "Add an Entry") || fail "Alt+A did not open the entry dialog"
wait_active "$entry"
xdotool key ctrl+a
xdotool type --delay 40 "13/45/$year"
xdotool key Tab
xdotool type --delay 40 "Books"
xdotool key Return
message=$(message_box) || fail "the date 13/45/$year was not refused"
wait_active "$message"
xdotool key Return
wait_active "$entry"
if [ -f "$data/1$year.dat" ] && tr -d '\r' <"$data/1$year.dat" | grep -q Books; then
  fail "the entry with the refused date was saved"
fi
xdotool key ctrl+a
xdotool type --delay 40 "3/15/$year"
xdotool key Tab Tab space
xdotool type --delay 40 "12.50"
xdotool key Return
wait_for_line "1$year.dat" "1 1 3/15/$year" ||
  fail "the typed entry date 3/15/$year was not saved as such: $(tr -d '\r' <"$data/1$year.dat" 2>/dev/null | tr '\n' '|')"
wait_for_line "1$year.dat" "3 1 12.50" ||
  fail "the entry's charge was not saved: $(tr -d '\r' <"$data/1$year.dat" 2>/dev/null | tr '\n' '|')"
echo "PASS"
