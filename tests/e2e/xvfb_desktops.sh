#!/usr/bin/env bash
# Starts the real game on a 1080p and on a 4K Xvfb screen: the launcher is
# centred, and after "Play" the window opens at the largest whole multiple
# of 800 x 600 within 90 % of the screen (1x and 3x), centred.
set -euo pipefail
game_dir=$1
cd "$game_dir"

run_on_screen() {
  local screen=$1 expected=$2
  local number_file config xvfb game="" window=""
  number_file=$(mktemp)
  config=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $game $xvfb 2>/dev/null || true; rm -rf "$number_file" "$config"' RETURN
  for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
  [ -s "$number_file" ] || { echo "Xvfb did not start"; return 1; }
  DISPLAY=:$(head -n 1 "$number_file") SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$config \
    ./kvspace &
  game=$!
  export DISPLAY=:$(head -n 1 "$number_file")
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "$screen: the launcher never appeared"; return 1; }
  geometry() { xdotool getwindowgeometry "$window" | awk '/Position/ {p=$2} /Geometry/ {print p, $2}'; }
  local width=${screen%x*} height=${screen#*x}
  local centred="$(( (width - 285) / 2 )),$(( (height - 100) / 2 )) 285x100"
  for _ in $(seq 100); do [ "$(geometry)" = "$centred" ] && break; sleep 0.1; done
  [ "$(geometry)" = "$centred" ] || { echo "$screen: launcher at $(geometry), not $centred"; return 1; }
  xdotool mousemove --window "$window" 234 56 click 1
  local w=${expected%x*} h=${expected#*x}
  local opened="$(( (width - w) / 2 )),$(( (height - h) / 2 )) $expected"
  for _ in $(seq 300); do [ "$(geometry)" = "$opened" ] && break; sleep 0.1; done
  [ "$(geometry)" = "$opened" ] || { echo "$screen: game window at $(geometry), not $opened"; return 1; }
  kill -0 "$game" || { echo "$screen: the game ended by itself"; return 1; }
  echo "$screen: launcher centred, game window $expected centred"
}

run_on_screen 1920x1080 800x600
run_on_screen 3840x2160 2400x1800
