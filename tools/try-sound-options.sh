#!/usr/bin/env bash
# Tries the sound, start screen and menu options dialogs on the demo's
# design project as a new user would, on a virtual screen: "Dźwięk" refuses
# a click sound of more than 30 000 bytes and its play button writes a wave
# file into KALVORA_AUDIO_OUT; F10 takes the frame off and puts it back
# (the surface keeps its shape); Ctrl+A with "Podgląd" shows the chosen
# start picture; Ctrl+S then changes only the keys that were changed.
# Screenshots go to build/<preset>/screenshots/sound-options-*.png.
# Usage: tools/try-sound-options.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project sound-options-try
project=$work/design/projekt/DEMO.KLV
export KALVORA_AUDIO_OUT=$work/audio
mkdir -p "$KALVORA_AUDIO_OUT"
# A click sound that is too large: a wave of 40 044 bytes.
python3 - "$work/design/dzwieki/DUZY.WAV" <<'PY'
import struct, sys
data = bytes(40000)
head = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 8000, 16000, 2, 16)
open(sys.argv[1], "wb").write(head + b"data" + struct.pack("<I", len(data)) + data)
PY

screen_start
shot_prefix=sound-options- shot_wait=1
origin() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'; }
# Clicks at x, y inside a window.
click_in() { read -r wx wy < <(origin "$1"); xdotool mousemove $((wx + $2)) $((wy + $3)) click 1; sleep 0.6; }
# What the surface asks of a window manager: decorations 0 is no frame.
frame_hints() {
  local surface
  surface=$(xdotool search --onlyvisible --pid "$designer" --name "płyta" | tail -n 1)
  echo "surface $1: $(xprop -id "$surface" _MOTIF_WM_HINTS)"
}
window_named() { xdotool search --sync --onlyvisible --name "$1" | tail -n 1; }
# The file dialog: the whole path typed into its name field.
choose_file() {
  local dialog
  dialog=$(window_named "^Otwórz$")
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a type --delay 20 "$1"
  xdotool key Return
  sleep 1
}

screen_launch "$work/design/DODORURAV/dodorurav" "$project" >"$work/dodorurav.log" 2>&1
designer=$launched
sleep 2
main=$(xdotool search --onlyvisible --name "^Dodorurav KALVORA" | head -n 1)
xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1
cp "$project" "$work/before.KLV"

# "Dźwięk" from its menu: the oversized click sound, then the play buttons.
xdotool windowfocus --sync "$main"
xdotool key alt+d
sleep 0.5
xdotool key m
sound=$(window_named "^Dźwięk$")
shot 1-sound
click_in "$sound" 469 49 # the browse button of "Wejście kursora:"
choose_file "$work/design/dzwieki/DUZY.WAV"
shot 2-too-large
xdotool key Return
sleep 0.5
click_in "$sound" 556 49 # its play button
sleep 1
echo "played: $(ls "$KALVORA_AUDIO_OUT" | tr '\n' ' ')"
# The key-release sound goes: its field emptied, then OK.
click_in "$sound" 284 105
xdotool key ctrl+a BackSpace
shot 3-sound-changed
click_in "$sound" 469 134
sleep 0.5

# F10: the frame back, then off again, and a new title bar text.
xdotool windowfocus --sync "$main"
xdotool key F10
options=$(window_named "^Opcje menu$")
click_in "$options" 129 23 # "Prezencja"
click_in "$options" 29 55  # "Okno menu bez paska tytułowego" unticked
shot 4-options-frame
click_in "$options" 524 298
shot 5-framed 1.5
frame_hints "with its frame"
xdotool windowfocus --sync "$main"
xdotool key F10
options=$(window_named "^Opcje menu$")
click_in "$options" 446 85 # the title bar text
xdotool key ctrl+a; type_text "Kalvora – płyta próbna"
click_in "$options" 129 23
click_in "$options" 29 55 # ticked again
click_in "$options" 524 298
shot 6-frameless 1.5
frame_hints "frameless"

# Ctrl+A: "Podgląd", then the start picture chosen.
xdotool windowfocus --sync "$main"
xdotool key ctrl+a
start=$(window_named "^Ustawienia ekranu startowego$")
click_in "$start" 30 276 # "Podgląd"
shot 7-start-wide
click_in "$start" 378 178 # the browse button of the picture
choose_file "$work/design/obrazy/TLO.BMP"
shot 8-start-picture
click_in "$start" 305 276 # OK
sleep 0.5

xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1
cp "$project" "$work/after.KLV"
echo "--- what the save changed:"
diff <(iconv -f cp1250 -t utf-8 "$work/before.KLV") <(iconv -f cp1250 -t utf-8 "$work/after.KLV") || true
