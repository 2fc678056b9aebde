#!/usr/bin/env bash
# Tries the inspector's property editors as a user would, on a virtual
# screen, on the demo laid out as a design project: a key's caption typed
# with Enter, B clicked, a width typed, Ctrl+S; a 24-bit picture chosen as
# the mask and converted to 1 bit (the original kept as .OLD); a test run
# whose runtime window takes the new mask's shape; the BMP buttons starting
# a stand-in bitmap editor that logs its arguments. Screenshots go to
# build/<preset>/screenshots/editors-*.png.
# Usage: tools/try-property-editors.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project editors-try orvanta
mkdir -p "$work/config/ZeltrinSoftware"
# The stand-in bitmap editor logs each argument on a line of its own.
cat >"$work/pixanto.sh" <<'SCRIPT'
#!/bin/sh
{ echo "args=$#"; for a in "$@"; do echo "arg=$a"; done; } >> "$(dirname "$0")/pixanto.log"
SCRIPT
chmod +x "$work/pixanto.sh"
printf '[PLIKI]\r\nZAZAVA_BMP=%s\r\n' "$work/pixanto.sh" >"$work/config/ZeltrinSoftware/Dodorurav.cfg"
# A 24-bit mask: white (the bottom-left colour) is cut away.
mask24="$work/design/obrazy/MASKA 24.BMP"
convert -size 640x480 xc:white -fill black -draw "ellipse 320,240 310,230 0,360" \
  -fill red -draw "rectangle 0,0 120,120" -type TrueColor "BMP3:$mask24"
cp "$mask24" "$work/mask24-original.bmp"

screen_start
shot_prefix=editors- shot_wait=1
origin() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'; }
# Clicks at x, y inside a window.
click_in() { read -r wx wy < <(origin "$1"); xdotool mousemove $((wx + $2)) $((wy + $3)) click 1; sleep 0.6; }

screen_launch "$work/design/DODORURAV/dodorurav" "$work/design/projekt/DEMO.KLV" >"$work/dodorurav.log" 2>&1
designer=$launched
sleep 2
main=$(xdotool search --onlyvisible --name "^Dodorurav KALVORA" | head -n 1)
inspector=$(xdotool search --onlyvisible --name "^Obiekty menu$" | head -n 1)
surface=$(xdotool search --onlyvisible --pid "$designer" --name "demonstracyjna" | tail -n 1)
shot 1-start
echo "surface $surface at $(origin "$surface"), inspector $inspector at $(origin "$inspector")"

# The key "Gry": caption, B, width, then Ctrl+S.
click_in "$surface" 109 182
click_in "$inspector" 167 128
xdotool key ctrl+a type --delay 30 "Gry i zabawy"
xdotool key Return
click_in "$inspector" 16 103
click_in "$inspector" 167 368
xdotool key ctrl+a type "150"
xdotool key Return
shot 2-edited
xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1
project=$(iconv -f cp1250 -t utf-8 "$work/design/projekt/DEMO.KLV" | tr -d '\r')
section_value() { awk -v s="[$1]" -v k="$2=" '$0 == s { in_s = 1; next } /^\[/ { in_s = 0 } in_s && index($0, k) == 1 { print substr($0, length(k) + 1) }' <<<"$project"; }
echo "NAMES 1001: $(section_value NAMES 1001)  FONT_STYLE 1001: '$(section_value FONT_STYLE 1001)'  WIDTH 1001: $(section_value WIDTH 1001)"

# The background's mask: the dialog, the new file, Yes.
click_in "$surface" 300 93
click_in "$inspector" 167 488
xdotool key ctrl+Return
shot 3-mask-dialog 1.5
xdotool key ctrl+a type --delay 30 "MASKA 24.BMP"
xdotool key Return
shot 4-question 1.5
xdotool key Return
sleep 1
cmp "$work/mask24-original.bmp" "$work/design/obrazy/MASKA 24.OLD" && echo "MASKA 24.OLD is the original"
python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(); print('MASKA 24.BMP bits per pixel:', struct.unpack('<H', d[28:30])[0])" "$mask24"
xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1
# A test run: the runtime's window takes the new shape.
xdotool key F9
shot 5-testrun 5
runtime=$(ps -o pid= --ppid "$designer" | head -n 1 | tr -d ' ')
if [ -n "$runtime" ]; then kill "$runtime"; sleep 2; fi

# The BMP buttons of the glyph and the mask.
click_in "$surface" 109 182
click_in "$inspector" 87 176
click_in "$surface" 300 93
click_in "$inspector" 87 488
sleep 1
shot 6-after
cat "$work/pixanto.log"
