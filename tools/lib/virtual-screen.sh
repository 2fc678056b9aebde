# Shared by the try-out scripts that drive the programs on a virtual screen.
# Source it from the repository root, after `set -euo pipefail`:
#   screen_folders PRESET     build=<root>/build/PRESET, out=$build/screenshots
#   screen_workdir            work=a private folder, removed at exit
#   screen_design_project NAME [PROGRAM...]
#                             work=$build/NAME (kept): the demo as a design
#                             project, dodorurav and the PROGRAMs on its drive
#   screen_start [WxH]        a free display between 50 and 99, DISPLAY set
#   screen_track PID          the program is ended at exit
#   screen_launch CMD...      CMD started and tracked, its first visible
#                             window awaited: launched=pid, launched_window
#   screen_run_menu FOLDER LOG
#                             orvanta started in a menu folder as a user
#                             starts it on the CD: menu=pid, its window
#                             awaited for ten seconds at most
#   shot NAME [WAIT]          $out/<shot_prefix>NAME.png after WAIT seconds
#   click X Y                 a click at the screen point (sums allowed)
# shot_prefix, shot_wait and click_wait tune shot and click per script.

shot_prefix=""
shot_wait=0.5
click_wait=0.3
screen_pids=()
screen_xvfb=""
screen_work=""

screen_folders() {
  build=$PWD/build/$1
  out=$build/screenshots
  mkdir -p "$out"
}

screen_workdir() {
  work=$(mktemp -d)
  screen_work=$work
}

# The designer completes stored paths from its own drive, so it is installed
# on the design's drive; home and settings live in the folder too.
screen_design_project() {
  work=$build/$1
  rm -rf "$work"
  mkdir -p "$work/home" "$work/config" "$work/data"
  python3 tools/make-demo-project.py "$build/demo-cd" "$work/design" >/dev/null
  mkdir -p "$work/design/DODORURAV"
  local program
  for program in dodorurav "${@:2}"; do
    cp "$build/bin/$program" "$work/design/DODORURAV/"
  done
  cp "$build"/bin/*.dll "$work/design/DODORURAV/" 2>/dev/null || true
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
}

screen_track() { screen_pids+=("$1"); }

# Redirections given to the call stay with the program.
screen_launch() {
  "$@" &
  launched=$!
  screen_track "$launched"
  launched_window=$(xdotool search --sync --onlyvisible --pid "$launched" | head -n 1)
}

screen_run_menu() {
  (cd "$1" && ./orvanta >"$2" 2>&1 & echo $! >"$2.pid")
  menu=$(cat "$2.pid")
  screen_track "$menu"
  for _ in $(seq 1 20); do
    xdotool search --onlyvisible --pid "$menu" >/dev/null 2>&1 && break
    sleep 0.5
  done
}

screen_cleanup() {
  local i
  for ((i = ${#screen_pids[@]} - 1; i >= 0; i--)); do
    kill "${screen_pids[i]}" 2>/dev/null || true
  done
  [ -n "$screen_xvfb" ] && kill "$screen_xvfb" 2>/dev/null || true
  [ -n "$screen_work" ] && rm -rf "$screen_work"
  return 0
}
trap screen_cleanup EXIT

# A display whose lock file is taken belongs to someone else's screen;
# drawing there would click into their programs.
screen_free_display() {
  local n
  for _ in $(seq 100); do
    n=$((50 + RANDOM % 50))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return 0; }
  done
  echo "no free display between 50 and 99" >&2
  return 1
}

screen_start() {
  local n
  n=$(screen_free_display)
  Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" >/dev/null 2>&1 &
  screen_xvfb=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do
    kill -0 "$screen_xvfb" 2>/dev/null || break
    xdpyinfo >/dev/null 2>&1 && kill -0 "$screen_xvfb" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "the virtual screen $DISPLAY did not start" >&2
  return 1
}

shot() {
  local file=$out/$shot_prefix$1.png
  sleep "${2:-$shot_wait}"
  import -window root "$file"
  echo "$file"
}

# The pointer moves once more before the click, so hover follows it.
click() {
  local x=$(($1)) y=$(($2))
  xdotool mousemove "$x" "$y"
  sleep 0.2
  xdotool mousemove $((x + 1)) "$y" click 1
  sleep "$click_wait"
}

# Types text into the focused field. Letters outside ASCII go through the
# clipboard: xdotool types them by remapping a key, which a busy machine may
# see before the remap and drop.
type_text() {
  if LC_ALL=C grep -q '[^ -~]' <<<"$1"; then
    printf '%s' "$1" | xclip -selection clipboard 2>/dev/null
    sleep 0.2
    xdotool key ctrl+v
  else
    xdotool type --delay 30 "$1"
  fi
}
