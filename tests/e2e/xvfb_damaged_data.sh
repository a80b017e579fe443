#!/usr/bin/env bash
# The real game in a real X window with one data file missing or hostile at a
# time: it starts, names the file in one message (an SDL message box, also
# written to stderr), shows no message again, plays on, and then obeys
# "quit game" or the window's close with a clean exit.
set -euo pipefail
game_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb.bash
source "$here/xvfb.bash"
work=$(mktemp -d)
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

cc -O1 -o "$work/close_window" "$here/close_window.c" -lX11

start_xvfb 1024x768
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

fail() {
  echo "$case: $*" >&2
  if [ -f "$work/$case.log" ]; then cat "$work/$case.log" >&2; fi
  exit 1
}

# The game's own window, and a message box of the game (SDL's, titled as
# the game and told apart by its size).
size_of() { xdotool getwindowgeometry "$1" 2>/dev/null | awk '/Geometry/ {print $2}'; }
main_window() {
  for w in $(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null || true); do
    case "$(size_of "$w")" in 285x100 | 800x600) echo "$w"; return;; esac
  done
}
message_box() {
  for w in $(xwininfo -root -tree | awk '/"kvspace"/ {print $1}'); do
    xwininfo -id "$w" | grep -q 'IsViewable' || continue
    case "$(size_of "$w")" in 285x100 | 800x600) ;; *) echo "$w"; return;; esac
  done
}
wait_for() {  # wait_for WHAT: waits up to 10 s for a window of that kind
  local w=""
  for _ in $(seq 100); do w=$($1) && [ -n "$w" ] && break; sleep 0.1; done
  [ -n "$w" ] || fail "no $1 appeared"
  echo "$w"
}
wait_for_size() {
  for _ in $(seq 100); do [ "$(size_of "$1")" = "$2" ] && return; sleep 0.1; done
  fail "the window is $(size_of "$1"), not $2"
}
dismiss_message() {
  local box
  box=$(wait_for message_box)
  # Its one button ("OK") sits at the middle of its bottom edge.
  local width height
  IFS=x read -r width height <<<"$(size_of "$box")"
  xdotool mousemove --window "$box" $((width / 2)) $((height - 20)) click 1
  for _ in $(seq 50); do [ -z "$(message_box)" ] && return; sleep 0.1; done
  fail "the message box stayed"
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }
expect_exit() {
  for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && fail "the game did not end"
  local status=0
  wait "$game" || status=$?
  game=""
  [ "$status" -eq 0 ] || fail "the game ended with status $status"
}
# Every message names the file, and none is shown twice.
expect_messages() {
  local file=$1 count=$2 lines
  lines=$(grep -c . "$work/$case.log" || true)
  [ "$lines" -eq "$count" ] || fail "$lines messages, not $count"
  [ "$count" -eq 0 ] || grep -qi "$file" "$work/$case.log" || fail "the message does not name $file"
}
start() {  # start CASE: a copy of the data, damaged by the caller, then the game
  case=$1
  mkdir -p "$work/$case"
  cp -r "$game_dir/res" "$game_dir/Objects" "$work/$case/"
}
run() {
  (cd "$work/$case" && KVSPACE_DATA="$work/$case" exec "$game_dir/kvspace" 2>"$work/$case.log") &
  game=$!
}
# The launcher may still be placed (centred) just after it shows, and a
# click sent before it stops moving would miss: wait until its geometry
# reads the same twice, 0.3 s apart.
launcher_settled() {
  wait_for_size "$1" 285x100
  local last="" now
  for _ in $(seq 30); do
    now=$(xdotool getwindowgeometry "$1" 2>/dev/null | tr '\n' ' ')
    [ -n "$now" ] && [ "$now" = "$last" ] && return
    last=$now
    sleep 0.3
  done
  fail "the launcher kept moving"
}
to_space() {
  launcher_settled "$1"
  click "$1" 234 56
  wait_for_size "$1" 800x600
  sleep 0.3
  xdotool mousemove --window "$1" 150 450
  sleep 0.2
  click "$1" 150 450
}

# The launcher's own picture missing: one message, then a plain launcher that
# still plays; the window's close ends the game.
start loader
rm "$work/$case/res/gfx/loader.bmp"
run
dismiss_message
window=$(wait_for main_window)
launcher_settled "$window"
click "$window" 234 56
wait_for_size "$window" 800x600
sleep 1
"$work/close_window" "$window"
expect_exit
expect_messages 'loader.bmp' 1

# An empty space backdrop: the message once on "Start game", a plain scene
# that plays on without another, then "quit game" typed at the console.
start backdrop
: >"$work/$case/res/gfx/backgrounds/planet3.bmp"
run
window=$(wait_for main_window)
to_space "$window"
dismiss_message
sleep 2
[ -z "$(message_box)" ] || fail "a second message"
xdotool key grave
sleep 0.2
xdotool type --delay 50 "quit game"
xdotool key Return
expect_exit
expect_messages 'planet3.bmp' 1

# A folder where the space music should be, with sound on: silence, no
# message, and the window's close ends the game.
start music
rm "$work/$case/res/sfx/sndtr/track1.mod"
mkdir "$work/$case/res/sfx/sndtr/track1.mod"
run
window=$(wait_for main_window)
launcher_settled "$window"
click "$window" 20 80
to_space "$window"
sleep 2
[ -z "$(message_box)" ] || fail "a message about silence"
"$work/close_window" "$window"
expect_exit
expect_messages 'track1.mod' 0

echo "the game played on and ended cleanly with each damaged file"
