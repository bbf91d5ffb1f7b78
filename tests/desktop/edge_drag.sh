#!/usr/bin/env bash
# Dragging one edge of each big window with the mouse, under a window
# manager: the window ends at the 4:3 size that edge gives (a bottom edge
# sets the width from the height, a right edge the height from the width),
# and its contents fill it, with no black band and the totals in view. A
# maximised window keeps within the screen.
# A wide screen, where a maximised 4:3 window would be taller than the screen.
export DESKTOP_SCREEN="${DESKTOP_SCREEN:-1600x900x24}"
source "$(dirname "$0")/desktop.sh"

write_lines "$data/CardList.dat" 1 1 '0 1 1. Visa' '1 1 10/31/28' '2 1 0' '3 1 18.9' \
  '4 1 1000.00' '5 1 30.00' '6 1 970.00' '7 1 6/30/27'
write_lines "$data/1info.dat" Visa 10/31/28 18.9 0 6/30/27 15 1000.00 30.00 970.00 0.00
year=$(date +%y)
write_lines "$data/1$year.dat" 2 "1 1 1/5/$year" '2 1 Books' '3 1 10.00' '6 1 10.00' \
  "1 2 1/9/$year" '2 2 Fuel' '3 2 20.00' '6 2 30.00'
write_lines "$data/1yl.dat" "$year"

# Fails unless the frame is 4:3 by the rule of the edge dragged: "height"
# when the width follows the height, "width" when the height follows the
# width. Halves go to the even neighbour, as the window rounds them.
expect_four_by_three() {
  local what="$1" follows="$2" w="$3" h="$4" want
  if [ "$follows" = height ]; then
    want=$(python3 -c "print(round($h * 4 / 3))")
    [ "$w" -eq "$want" ] || fail "$what: the frame is $w x $h, not $want wide"
  else
    want=$(python3 -c "print(round($w * 0.75))")
    [ "$h" -eq "$want" ] || fail "$what: the frame is $w x $h, not $want high"
  fi
}

# Fails when a pixel near the client area's corners and right edge is black:
# none of the windows paints black, so black is a part left unpainted.
expect_filled() {
  local what="$1" id="$2" x y w h colour
  read -r x y w h < <(client_geometry "$id")
  for colour in $("$xshot" $((x + 4)) $((y + h - 4)) $((x + w - 4)) $((y + h - 4)) \
                    $((x + w - 4)) $((y + h / 2)) $((x + w / 2)) $((y + h - 4)) 2>/dev/null); do
    [ "$colour" = "#000000" ] && fail "$what: a black band in the window (client $w x $h at $x,$y)"
  done
  return 0
}

start_desktop
start_program
main=$(window_titled "Quillfen Pursewise.") || fail "the main window did not appear"
wait_active "$main"

read -r x y w h < <(settled_geometry frame_geometry "$main")
drag $((x + w / 2)) $((y + h - 2)) $((x + w / 2)) $((y + h + 150))
read -r x y w h < <(settled_geometry frame_geometry "$main")
expect_four_by_three "main window, bottom edge dragged" height "$w" "$h"
[ "$h" -ge $((517 + 100)) ] || fail "main window, bottom edge dragged: the frame is only $h high"
expect_filled "main window, bottom edge dragged" "$main"
# The totals panel is white to its bottom edge.
read -r cx cy cw ch < <(client_geometry "$main")
[ "$("$xshot" $((cx + cw / 2)) $((cy + ch - 5)) 2>/dev/null)" = "#ffffff" ] ||
  fail "main window, bottom edge dragged: the totals panel does not reach the bottom"

drag $((x + w - 2)) $((y + h / 2)) $((x + w - 200)) $((y + h / 2))
read -r x y w h < <(settled_geometry frame_geometry "$main")
expect_four_by_three "main window, right edge dragged" width "$w" "$h"
expect_filled "main window, right edge dragged" "$main"

# The register: the card is selected with a click on its row, then opened
# with a click on "Open Selected Card".
read -r cx cy cw ch < <(client_geometry "$main")
area=$((ch - 19))
xdotool mousemove $((cx + cw / 4)) $((cy + 19 + area * 157 / 453)) click 1
sleep 0.3
xdotool mousemove $((cx + cw * 13 / 100)) $((cy + 19 + area * 326 / 453)) click 1
form1=$(register_window) || fail "the register did not open"
wait_active "$form1"

# The register opens in the middle of the screen, not in a corner.
read -r x y w h < <(settled_geometry frame_geometry "$form1")
read -r sw sh < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
dx=$((x + w / 2 - sw / 2)); dy=$((y + h / 2 - sh / 2))
[ "${dx#-}" -le 20 ] && [ "${dy#-}" -le 20 ] ||
  fail "the register opened at $x,$y ($w x $h), not in the middle of the $sw x $sh screen"
drag $((x + w / 2)) $((y + h - 2)) $((x + w / 2)) $((y + h + 120))
read -r x y w h < <(settled_geometry frame_geometry "$form1")
expect_four_by_three "register, bottom edge dragged" height "$w" "$h"
expect_filled "register, bottom edge dragged" "$form1"

# Maximised, the register stays within the screen.
xdotool mousemove $((x + w / 2)) $((y + 8)) click --repeat 2 --delay 80 1
read -r x y w h < <(settled_geometry frame_geometry "$form1")
screen_h=$(xwininfo -root | awk '/Height:/ {print $2}')
[ $((y + h)) -le "$screen_h" ] || fail "register, maximised: the frame ends at $((y + h)) ($w x $h at $x,$y), below the screen's $screen_h"
expect_filled "register, maximised" "$form1"
[ -n "${DESKTOP_SHOTS:-}" ] && "$xshot" "$DESKTOP_SHOTS/edge_drag-end.png" 2>/dev/null
echo "PASS"
