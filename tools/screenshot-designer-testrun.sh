#!/usr/bin/env bash
# Tries the test run on a virtual screen: the designer at the root of a copy
# of the demo CD opens its project, and F9 starts the built runtime, which
# lies outside that CD; the menu must show its pictures (the runtime takes
# the designer's root) and closing it returns to the designer. Then Ctrl+B
# with no bitmap editor shows the message. Screenshots go to
# build/<preset>/screenshots/.
# Usage: tools/screenshot-designer-testrun.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

screen_workdir
mkdir -p "$work/config/ZeltrinSoftware" "$work/data" "$work/runtime"
cp -r "$build/demo-cd" "$work/drive"
rm -f "$work/drive/orvanta"
cp "$build/bin/dodorurav" "$work/drive/"
cp "$build/bin/orvanta" "$work/runtime/"
printf '[PLIKI]\r\nMENU=%s\r\nZAZAVA_BMP=\r\n[OPCJE]\r\nMINONTEST=1\r\n' "$work/runtime/orvanta" \
  > "$work/config/ZeltrinSoftware/Dodorurav.cfg"

screen_start

(cd "$work/drive" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" ./dodorurav ORVANTA.INI >/dev/null 2>&1) &
designer=$!
screen_track "$designer"
sleep 4
fail() { echo "FAILED: $*" >&2; exit 1; }

main=$(xdotool search --name "^Dodorurav KALVORA -> " | head -1 || true)
[ -n "$main" ] || { shot designer-testrun-0-failed; xdotool search --name "" getwindowname %@ >&2 || true; fail "no designer window"; }
xdotool windowfocus "$main"; sleep 0.3
xdotool key F9; sleep 4
runtime=$(pgrep -f "^$work/runtime/orvanta" || true)
[ -n "$runtime" ] || fail "F9 started no runtime"
cmp -s "$work/drive/ORVANTA.INI" "$work/runtime/ORVANTA.INI" || fail "the copy differs from the project"
tr '\0' '\n' < "/proc/$runtime/environ" | grep -qx "KALVORA_DRIVE_ROOT=$work/drive/" || fail "no drive root passed"
shot designer-testrun-1-menu
# "Koniec" on the toolbar strip of the menu, which centres itself on the screen.
xdotool mousemove 878 730; sleep 0.2
xdotool mousemove 880 730 click 1; sleep 2
kill -0 "$runtime" 2>/dev/null && fail "the menu did not close"
shot designer-testrun-2-back

xdotool windowfocus "$main"; sleep 0.3
xdotool key ctrl+b; sleep 1.5
shot designer-testrun-3-no-bitmap-editor
