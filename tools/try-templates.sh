#!/usr/bin/env bash
# Tries templates on the demo's design project as a new user would, on a
# virtual screen: Ctrl+W saves the design as the template "Demo"; Ctrl+M
# shows it, and Zrzut stores a picture put on the clipboard as its preview;
# OK on a new file name opens the template as a project, whose save (Ctrl+S)
# must equal the template's bytes; Usuń removes the template from the list
# and from disk.
# Screenshots go to build/<preset>/screenshots/templates-*.png.
# Usage: tools/try-templates.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project templates-try
project=$work/design/projekt/DEMO.KLV
template=$XDG_DATA_HOME/ZeltrinSoftware/Szablony/Demo
newProject=$work/design/projekt/ZSZABLONU.KLV

screen_start
shot_prefix=templates- shot_wait=1
status=0
fail() { echo "$1" >&2; status=1; }

screen_launch "$work/design/DODORURAV/dodorurav" "$project" >"$work/dodorurav.log" 2>&1
sleep 2
# A click on the bare main window makes the designer the active program.
xdotool mousemove 1000 10 click 1
sleep 0.5

# Ctrl+W: the name asked for replaces the proposed one.
xdotool key ctrl+w
sleep 1
xdotool key ctrl+a
xdotool type --delay 50 "Demo"
shot 1-template-name
xdotool key Return
sleep 1
[ -f "$template/Demo.SBL" ] && echo "saved as template: $template/Demo.SBL" || fail "no template file in $template"

# A picture on the clipboard: xclip keeps serving it in the background.
convert -size 320x240 gradient:navy-gold -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  -gravity center -pointsize 36 -fill white \
  -annotate 0 "Szablon Demo" "$work/clip.png"
xclip -selection clipboard -t image/png -i "$work/clip.png" &
screen_track $!
sleep 0.5

xdotool mousemove 1000 10 click 1
sleep 0.5
xdotool key ctrl+m
# Without a window manager the keys go where the pointer is once a message
# box has closed: the pointer rests on the chooser.
chooser=$(xdotool search --sync --onlyvisible --name "Wybierz szablon menu" | head -n 1)
xdotool mousemove --window "$chooser" 300 120
shot 2-chooser
xdotool key alt+z
shot 3-preview-question
xdotool key alt+t
shot 4-preview-stored
[ -f "$template/ZRZUT.BMP" ] && echo "preview stored: $template/ZRZUT.BMP" || fail "no preview in $template"

# The page "Pliki szablonu": what the template names, ticked when it is there.
xdotool windowfocus "$chooser"
xdotool key ctrl+Tab
shot 4b-template-files
xdotool key ctrl+Tab

# OK: the save dialog takes the new file's name.
xdotool windowfocus "$chooser"
xdotool key alt+o
sleep 1.5
xdotool type --delay 20 "$newProject"
shot 5-new-file-name
xdotool key Return
sleep 2
shot 6-project-from-template
if [ -f "$newProject" ] && cmp -s "$newProject" "$template/Demo.SBL"; then
  echo "the new project is a copy of the template"
else
  fail "the new project differs from the template"
fi
xdotool mousemove 1000 10 click 1
sleep 0.5
xdotool key ctrl+s
sleep 1
if cmp -s "$newProject" "$template/Demo.SBL"; then
  echo "the new project's save equals the template's bytes"
else
  fail "the new project's save differs from the template"
fi

# Usuń on the only template, and Tak on the question.
xdotool mousemove 1000 10 click 1
sleep 0.5
xdotool key ctrl+m
chooser=$(xdotool search --sync --onlyvisible --name "Wybierz szablon menu" | head -n 1)
xdotool mousemove --window "$chooser" 300 120
shot 7-chooser-again
xdotool windowfocus "$chooser"
xdotool key alt+u
shot 8-delete-question
xdotool key alt+t
shot 9-deleted
[ -e "$template" ] && fail "the template folder is still there: $template" || echo "the template is gone from disk"
xdotool key Escape
sleep 0.5

if grep -q "ERROR: AddressSanitizer\|runtime error" "$work/dodorurav.log"; then
  fail "sanitizer reports in $work/dodorurav.log"
fi
exit $status
