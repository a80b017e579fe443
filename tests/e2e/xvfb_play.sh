#!/usr/bin/env bash
# Starts the real game in a real X window under Xvfb, clicks "Play" and checks
# that the launcher gives way to the 800 x 600 title window.
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

size() { window_geometry "$window" | cut -d' ' -f2; }
for _ in $(seq 50); do [ "$(size)" = "285x100" ] && break; sleep 0.1; done
[ "$(size)" = "285x100" ] || { echo "launcher is $(size), not 285x100"; exit 1; }

xdotool mousemove --window "$window" 234 56 click 1
for _ in $(seq 100); do [ "$(size)" = "800x600" ] && break; sleep 0.1; done
[ "$(size)" = "800x600" ] || { echo "after Play the window is $(size), not 800x600"; exit 1; }
kill -0 "$game" || { echo "the game ended by itself"; exit 1; }
echo "launcher gave way to the title"
