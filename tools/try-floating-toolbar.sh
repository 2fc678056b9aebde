#!/usr/bin/env bash
# Tries the floating toolbars as a new user would, on a virtual screen with a
# window manager (openbox), which frames the main windows.
# In both programs a double click on the grip of the bar docked at start
# floats it with its whole frame, caption and close square on the screen,
# below its window's menu bar; dragged by its caption it lands where it was
# dropped, and dropped on the dock it docks again.
# In the data editor: Pasek dragged by its grip to the middle of the screen
# floats with its caption and frame; dragged by the caption onto the dock it
# docks; with Ctrl held it stays floating over the dock where it was dropped;
# narrowed from its right edge it wraps onto two lines; the focus given to
# another program hides it and coming back shows it; its close square hides
# it, and after a restart "&Pasek narzędziowy" is unticked. In the designer
# the main window shrinks to its menu while its bar floats and grows back
# when it docks.
# Screenshots go to build/<preset>/screenshots/floating-*.png.
# Usage: tools/try-floating-toolbar.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_workdir
shot_prefix=floating- shot_wait=0.6
fail() { echo "FAILED: $*" >&2; exit 1; }

command -v openbox >/dev/null || fail "openbox is not installed"
screen_start 1280x1024
openbox >"$work/openbox.log" 2>&1 &
screen_track $!
sleep 1

# The visible, managed windows of a program other than its main window
# (tooltips and the drag outline are override-redirect and left out).
other_window() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    [ "$window" = "$2" ] && continue
    xwininfo -id "$window" | grep -q "Override Redirect State: yes" && continue
    echo "$window"
    return 0
  done
  return 1
}

# X, Y, WIDTH, HEIGHT of a window's inside on the screen, without the
# window manager's frame (xdotool counts the frame twice).
geometry() {
  local info
  info=$(xwininfo -id "$1")
  X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# A drag with the left button in a few steps, as a hand would make it.
drag() {
  local x0=$(($1)) y0=$(($2)) x1=$(($3)) y1=$(($4)) step
  xdotool mousemove "$x0" "$y0"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x0 + (x1 - x0) * step / 8)) $((y0 + (y1 - y0) * step / 8))
    sleep 0.05
  done
  sleep "${drag_hold:-0.2}"
  [ -n "${drag_shot:-}" ] && shot "$drag_shot" 0.3
  xdotool mouseup 1
  sleep 0.5
}

focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.6; }

double_click() {
  xdotool mousemove "$(($1))" "$(($2))"
  sleep 0.2
  xdotool click --repeat 2 --delay 80 1
  sleep 0.8
}

# The whole window within the 1280 x 1024 screen.
on_screen() {
  geometry "$1"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ]
}

# The bar dragged by a point of its caption lands with that point under the
# cursor: its window's top-left at the given point.
lands_at() {
  geometry "$1"
  [ "$X" -eq $(($2)) ] && [ "$Y" -eq $(($3)) ]
}

# ------------------------------------------------------------ data editor

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME/ZeltrinSoftware" "$XDG_DATA_HOME" "$HOME"
printf '[Split]\r\nPion=260\r\nPion_1=220\r\n[WINDOW]\r\nW=1000\r\nH=640\r\nT=0\r\nL=0\r\nPASEK=1\r\nOPCJONALNE=0\r\n' \
  > "$XDG_CONFIG_HOME/ZeltrinSoftware/Zazava.cfg"

screen_launch "$build/bin/zazava" >"$work/zazava.log" 2>&1
editor=$launched
main=$launched_window
sleep 1.5
focus "$main"
geometry "$main"
echo "main window: $X $Y $WIDTH $HEIGHT"
# Points of the main window are taken from the top-left of its inside: the
# menu bar is 19 pixels high, the dock lies under it with the bar's grip at
# (6, 32).
mx=$X my=$Y menu_bar=19
shot 1-docked

# A double click on the grip floats the bar where it stood, its caption on
# the screen and the menu bar uncovered.
double_click "mx + 6" "my + 32"
bar=$(other_window "$editor" "$main") || fail "double-clicked on its grip, Pasek does not float"
on_screen "$bar" || fail "double-clicked, Pasek floats off the screen at $X $Y"
echo "double-clicked Pasek: $X $Y $WIDTH $HEIGHT"
shot 1-double-clicked
[ "$Y" -ge $((my + menu_bar)) ] || fail "double-clicked, Pasek covers the menu bar at $X $Y"

# Dragged by that caption it lands where it is dropped, and dropped on the
# dock it docks again.
drag "X + 60" "Y + 10" 400 500
lands_at "$bar" 340 490 || fail "dragged by its caption, Pasek is at $X $Y instead of 340 490"
shot 1-caption-dragged
drag "X + 60" "Y + 10" "mx + 60" "my + 22"
other_window "$editor" "$main" >/dev/null && fail "dropped on the dock, the double-clicked Pasek still floats"

# The grip lies at the bar's left end, under the menu bar.
drag "mx + 6" "my + 32" 640 500
bar=$(other_window "$editor" "$main") || fail "dragged to the middle, Pasek does not float"
geometry "$bar"
echo "floating Pasek: $X $Y $WIDTH $HEIGHT"
[ "$X" -le 640 ] && [ $((X + WIDTH)) -gt 640 ] && [ "$Y" -le 500 ] && [ $((Y + HEIGHT)) -gt 500 ] ||
  fail "dragged by its grip to 640 500, Pasek floats at $X $Y"
shot 2-floating

# By its caption onto the dock (now empty, just under the menu bar).
drag "X + 60" "Y + 10" "mx + 60" "my + 22"
other_window "$editor" "$main" >/dev/null && fail "dropped on the dock, Pasek still floats"
shot 3-docked-again

# Floating again; then with Ctrl held it stays floating over the dock, where
# it was dropped.
drag "mx + 6" "my + 32" 640 500
bar=$(other_window "$editor" "$main") || fail "Pasek does not float again"
geometry "$bar"
xdotool keydown ctrl
drag_shot=4-ctrl-outline drag "X + 60" "Y + 10" "mx + 300" "my + 22"
xdotool keyup ctrl
unset drag_shot
bar=$(other_window "$editor" "$main") || fail "with Ctrl held Pasek docked"
geometry "$bar"
echo "floating over the dock: $X $Y $WIDTH $HEIGHT"
lands_at "$bar" "mx + 240" "my + 12" || fail "with Ctrl held Pasek is at $X $Y instead of over the dock"
shot 5-ctrl-floating

# Narrowed from its right edge it wraps: the two fields go to a second line.
# First to the middle, where there is room.
drag "X + 60" "Y + 10" 500 400
lands_at "$bar" 440 390 || fail "dragged by its caption, Pasek is at $X $Y instead of 440 390"
wide_height=$HEIGHT
drag "X + WIDTH - 2" "Y + 30" "X + WIDTH - 302" "Y + 30"
geometry "$bar"
echo "narrowed Pasek: $X $Y $WIDTH $HEIGHT"
[ "$HEIGHT" -gt "$wide_height" ] || fail "narrowed, Pasek did not wrap (height $HEIGHT)"
shot 6-wrapped

# The focus given to another program hides the floating bar; coming back
# shows it again.
xmessage -geometry +700+700 "Inny program" &
other=$!
screen_track "$other"
other_main=$(xdotool search --sync --onlyvisible --class Xmessage | head -n 1)
focus "$other_main"
sleep 0.8
other_window "$editor" "$main" >/dev/null && fail "another program has the focus, yet Pasek shows"
shot 7-other-program
focus "$main"
sleep 0.8
bar=$(other_window "$editor" "$main") || fail "back in the editor, Pasek does not show"
shot 8-back
kill "$other" 2>/dev/null || true

# The close square hides it; the item is unticked after a restart.
geometry "$bar"
click "X + WIDTH - 4 - 7" "Y + 4 + 7"
other_window "$editor" "$main" >/dev/null && fail "the close square did not hide Pasek"
shot 9-closed
focus "$main"
xdotool key alt+F4
wait "$editor" || true
grep -q "PASEK=0" "$XDG_CONFIG_HOME/ZeltrinSoftware/Zazava.cfg" || fail "Zazava.cfg keeps the toolbar shown"
screen_launch "$build/bin/zazava" >>"$work/zazava.log" 2>&1
editor=$launched
main=$launched_window
sleep 1.5
focus "$main"
geometry "$main"
click "X + 62" "Y + 9"          # "Widok"
shot 10-restart-unticked
xdotool key Escape
focus "$main"
xdotool key alt+F4
wait "$editor" || true

# --------------------------------------------------------------- designer

mkdir -p "$work/drive"
touch "$work/drive/AUTORUN.INF"
cp "$build/bin/dodorurav" "$work/drive/"
(cd "$work/drive" && exec ./dodorurav >"$work/dodorurav.log" 2>&1) &
designer=$!
screen_track "$designer"
sleep 3
designer_main=$(xdotool search --onlyvisible --name "^Dodorurav 2.1" | head -n 1)
focus "$designer_main"
geometry "$designer_main"
docked_height=$HEIGHT
# The grip lies at (6, 34) of the window's inside, under its menu bar.
dx=$X dy=$Y
echo "designer with its bar docked: $WIDTH x $HEIGHT"
shot 11-designer-docked

# A double click on the grip floats it on the screen, below the menu bar;
# dragged by its caption it lands where it is dropped; dropped under the
# menu by its caption it docks again.
double_click "dx + 6" "dy + 34"
designer_bar=$(other_window "$designer" "$designer_main") || fail "double-clicked, the designer's bar does not float"
on_screen "$designer_bar" || fail "double-clicked, the designer's bar floats off the screen at $X $Y"
echo "double-clicked designer bar: $X $Y $WIDTH $HEIGHT"
shot 11-designer-double-clicked
geometry "$designer_main"
menu_height=$HEIGHT
geometry "$designer_bar"
[ "$Y" -ge $((dy + menu_height)) ] || fail "double-clicked, the designer's bar covers the menu bar at $X $Y"
drag "X + 60" "Y + 10" 400 600
lands_at "$designer_bar" 340 590 || fail "dragged by its caption, the designer's bar is at $X $Y instead of 340 590"
shot 11-designer-caption-dragged
drag "X + 60" "Y + 10" "dx + 60" "dy + menu_height - 1"
other_window "$designer" "$designer_main" >/dev/null && fail "the double-clicked designer bar does not dock again"
geometry "$designer_main"
[ "$HEIGHT" -eq "$docked_height" ] || fail "the designer's window did not grow back ($HEIGHT)"

# While its bar floats the main window is only its menu.
drag "dx + 6" "dy + 34" 640 500
designer_bar=$(other_window "$designer" "$designer_main") || fail "the designer's bar does not float"
geometry "$designer_main"
menu_height=$HEIGHT
echo "designer with its bar floating: $WIDTH x $HEIGHT"
[ "$menu_height" -lt "$docked_height" ] || fail "the designer's window did not shrink to its menu"
shot 12-designer-floating

# Docked again under the menu, the window grows back.
geometry "$designer_bar"
drag_shot=13-designer-docking drag "X + 60" "Y + 10" "dx + 60" "dy + menu_height - 1"; unset drag_shot
other_window "$designer" "$designer_main" >/dev/null && fail "the designer's bar does not dock again"
geometry "$designer_main"
echo "designer with its bar docked again: $WIDTH x $HEIGHT"
[ "$HEIGHT" -eq "$docked_height" ] || fail "the designer's window did not grow back ($HEIGHT)"
shot 14-designer-docked-again
echo "ok"
