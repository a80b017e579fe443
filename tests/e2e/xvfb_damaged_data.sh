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

# The game's own window, told apart from its message boxes by its size.
size_of() { window_geometry "$1" | cut -d' ' -f2; }
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null || true); do
    case "$(size_of "$w")" in 285x100 | 800x600) echo "$w"; return;; esac
  done
}
shows() { found=$($1) && [ -n "$found" ]; }
wait_for() {  # wait_for WHAT: waits for a window of that kind
  local found=""
  wait_until "$patience" shows "$1" || fail "no $1 appeared"
  echo "$found"
}
no_message_box() { [ -z "$(message_box)" ]; }
dismiss_message() {
  local box
  box=$(wait_for message_box)
  # Its one button ("OK") sits at the middle of its bottom edge.
  local width height
  IFS=x read -r width height <<<"$(size_of "$box")"
  xdotool mousemove --window "$box" $((width / 2)) $((height - 20)) click 1
  wait_until "$patience" no_message_box || fail "the message box stayed"
}
expect_exit() {
  wait_until "$patience" process_ended "$game" || fail "the game did not end"
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
  launch "$work/$case.log" env -C "$work/$case" KVSPACE_DATA="$work/$case" "$game_dir/kvspace"
}
# From the launcher to a click on "Start game" in the title.
to_space() {
  click_play "$1" || fail "Play was not clicked"
  wait_for_geometry "$1" "$(centred 800x600)" || fail "after Play the window is at $(window_geometry "$1")"
  start_game "$1" || fail "Start game was not clicked"
}

# The launcher's own picture missing: one message, then a plain launcher that
# still plays; the window's close ends the game.
start loader
rm "$work/$case/res/gfx/loader.bmp"
run
dismiss_message
window=$(wait_for main_window)
click_play "$window" || fail "Play was not clicked"
wait_for_geometry "$window" "$(centred 800x600)" || fail "after Play the window is at $(window_geometry "$window")"
wait_until "$patience" title_drawn "$window" || fail "the title was never drawn"
"$work/close_window" "$window"
expect_exit
expect_messages 'loader.bmp' 1

# An empty space backdrop: the message once on "Start game", a plain scene
# that plays on without another (the console opened on it shows the game
# has gone on past the scene's first frames), then "quit game" typed at the
# console.
start backdrop
: >"$work/$case/res/gfx/backgrounds/planet3.bmp"
run
window=$(wait_for main_window)
to_space "$window"
dismiss_message
wait_until "$patience" space_drawn "$window" || fail "the space scene was never drawn"
xdotool key grave
wait_until "$patience" console_open "$window" || fail "the console did not open"
[ -z "$(message_box)" ] || fail "a second message"
xdotool type --delay 50 "quit game"
xdotool key Return
expect_exit
expect_messages 'planet3.bmp' 1

# A folder where the space music should be, with sound on: silence, no
# message once the space scene is drawn, and the window's close ends the
# game.
start music
rm "$work/$case/res/sfx/sndtr/track1.mod"
mkdir "$work/$case/res/sfx/sndtr/track1.mod"
run
window=$(wait_for main_window)
wait_until "$patience" launcher_in_place "$window" || fail "the launcher was never drawn in place"
sound_on "$window" || xdotool mousemove --window "$window" 20 80 click 1
wait_until "$patience" sound_on "$window" || fail "the sound was not turned on"
to_space "$window"
wait_until "$patience" space_drawn "$window" || fail "the space scene was never drawn"
[ -z "$(message_box)" ] || fail "a message about silence"
"$work/close_window" "$window"
expect_exit
expect_messages 'track1.mod' 0

echo "the game played on and ended cleanly with each damaged file"
