#!/usr/bin/env bash
# Starts the real game in a real X window under Xvfb, clicks "Play" and checks
# that the launcher gives way to the 800 x 600 title window.
set -euo pipefail
game_dir=$1
cd "$game_dir"

# The server picks a free display itself and writes its number.
number_file=$(mktemp)
config=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$number_file"
  rm -rf "$config"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
[ -s "$number_file" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n 1 "$number_file") SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$config

./kvspace &
game=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the launcher window never appeared"; exit 1; }

size() { xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}'; }
for _ in $(seq 50); do [ "$(size)" = "285x100" ] && break; sleep 0.1; done
[ "$(size)" = "285x100" ] || { echo "launcher is $(size), not 285x100"; exit 1; }

xdotool mousemove --window "$window" 234 56 click 1
for _ in $(seq 100); do [ "$(size)" = "800x600" ] && break; sleep 0.1; done
[ "$(size)" = "800x600" ] || { echo "after Play the window is $(size), not 800x600"; exit 1; }
kill -0 "$game" || { echo "the game ended by itself"; exit 1; }
echo "launcher gave way to the title"
