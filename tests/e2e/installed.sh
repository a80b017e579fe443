#!/usr/bin/env bash
# Installs the game into a temporary prefix (DESTDIR) and starts the installed
# executable from an unrelated working directory under Xvfb: it must show the
# launcher with its picture, not the plain panel left when the picture is not
# found. Then the same with KVSPACE_DATA naming a copy of the data and the
# installed data gone, and with it naming a folder without data; then with no
# data anywhere: one message and a non-zero exit, by itself when there is no
# display to show a message box on.
set -euo pipefail
build_dir=$(cd "$1/.." && pwd)
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

# A prefix the build was not configured for: only the lookup relative to the
# executable can find the data.
prefix=/opt/kvspace-install-test
DESTDIR="$work/root" cmake --install "$build_dir" --prefix "$prefix" >/dev/null
installed="$work/root$prefix"
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }
executable="$installed/$(cache_value KV_INSTALL_BINDIR)/kvspace"
data="$installed/$(cache_value KV_INSTALL_DATADIR)"
mkdir "$work/elsewhere"
cd "$work/elsewhere"

# Xvfb keeps its screen in a file that the pixel check reads.
start_xvfb 1024x768
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset KVSPACE_DATA

# Above the controls the plain panel is one colour; the picture has many.
shows_picture() { at_least 21 frame_pixels "$1" 0 0 284 40 colours; }

# Starts the installed game and checks that its launcher shows the picture.
expect_launcher_with_picture() {
  local what=$1
  launch "$work/stderr" "$executable"
  local window
  window=$(find_game_window)
  [ -n "$window" ] || { echo "$what: the launcher never appeared"; cat "$work/stderr"; exit 1; }
  wait_until "$patience" launcher_in_place "$window" ||
    { echo "$what: the launcher was never drawn in place"; cat "$work/stderr"; exit 1; }
  wait_until "$patience" shows_picture "$window" || {
    echo "$what: the launcher shows $(frame_pixels "$window" 0 0 284 40 colours) colours, not its picture"
    cat "$work/stderr"
    exit 1
  }
  ! grep -q "file not found" "$work/stderr" || { echo "$what: a data file was not found"; cat "$work/stderr"; exit 1; }
  local colours
  colours=$(frame_pixels "$window" 0 0 284 40 colours)
  kill "$game"
  wait "$game" 2>/dev/null || true
  game=""
  echo "$what: the launcher shows its picture ($colours colours)"
}

expect_launcher_with_picture "installed"
KVSPACE_DATA="$work/nowhere" expect_launcher_with_picture "a wrong KVSPACE_DATA"
grep -q "KVSPACE_DATA names $work/nowhere, which holds no game data" "$work/stderr" ||
  { echo "a wrong KVSPACE_DATA was passed over without a word"; exit 1; }

mv "$data" "$work/copy"
KVSPACE_DATA="$work/copy" expect_launcher_with_picture "KVSPACE_DATA"

# No data anywhere (unless the configured prefix holds an installed game, in
# which case this machine cannot show the case).
configured_data=$(cache_value CMAKE_INSTALL_PREFIX)/$(cache_value KV_INSTALL_DATADIR)
if [ -d "$configured_data/res" ]; then
  echo "skipped the no-data case: $configured_data holds an installed game"
  exit 0
fi
# Ends the game and checks its status and its one message.
expect_one_message_and_failure() {
  local what=$1 status=0
  wait_until "$patience" process_ended "$game" || { echo "$what: the game did not end"; exit 1; }
  wait "$game" || status=$?
  game=""
  [ "$status" -ne 0 ] || { echo "$what: the game ended with status 0"; exit 1; }
  [ "$(grep -c "It looked in" "$work/stderr")" -eq 1 ] || { echo "$what: the message was not given once"; cat "$work/stderr"; exit 1; }
  grep -q "scripts/play" "$work/stderr" || { echo "$what: the message does not tell how to play"; exit 1; }
}

# Without a display the message goes to stderr and the game ends by itself:
# it does not wait for a box that nobody can see.
env -u DISPLAY "$executable" 2>"$work/stderr" &
game=$!
expect_one_message_and_failure "no data, no display"
echo "no data, no display: one message, a failure status"

# With a display the message also opens in a box in the middle of the screen,
# and the game ends when the player closes it. Without a window manager the
# keys go to the window under the pointer: Return there closes the box.
launch "$work/stderr" "$executable"
box_shown() { box=$(message_box) && [ -n "$box" ]; }
box=""
wait_until "$patience" box_shown || { echo "no data: no message box appeared"; cat "$work/stderr"; exit 1; }
process_ended "$game" && { echo "no data: the game ended before its message box was closed"; exit 1; }
IFS=x read -r width height <<<"$(window_geometry "$box" | cut -d' ' -f2)"
xdotool mousemove --window "$box" $((width / 2)) $((height / 2)) key Return
expect_one_message_and_failure "no data"
echo "no data: one message box, closed, a failure status"
