#!/usr/bin/env bash
# Starts the real game in a real X window under Xvfb, clicks "Play" and checks
# that the launcher gives way to the title in a centred 800 x 600 window.
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
cd "$game_dir"
# shellcheck source=xvfb.bash
source "$here/xvfb.bash"

config=$(mktemp -d)
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  stop_xvfb
  rm -rf "$config"
}
trap cleanup EXIT
start_xvfb 1024x768
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$config

./kvspace &
game=$!

window=$(find_game_window)
[ -n "$window" ] || { echo "the launcher window never appeared"; exit 1; }

click_play "$window" || exit 1
wait_for_geometry "$window" "$(centred 800x600)" ||
  { echo "after Play the window is $(window_geometry "$window"), not $(centred 800x600)"; exit 1; }
wait_until "$patience" title_drawn "$window" || { echo "the title was never drawn"; exit 1; }
kill -0 "$game" || { echo "the game ended by itself"; exit 1; }
echo "launcher gave way to the title"
