#!/usr/bin/env bash
# The real game on a 1080p and on a 4K Xvfb screen, bare and under openbox:
# the launcher is centred; after "Play" the window opens at the largest
# whole multiple of 800 x 600 within 90 % of the screen (1x and 3x),
# centred; under openbox Alt+Enter makes it fill the screen and brings it
# back; a click on "Start game" where the scaled title shows it enters the
# space scene.
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
cd "$game_dir"
# shellcheck source=xvfb.bash
source "$here/xvfb.bash"

game=""
config=$(mktemp -d)
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  stop_xvfb
  rm -rf "$config"
}
trap cleanup EXIT

fail() {
  echo "$label: $*"
  exit 1
}

# The window at that size with the window manager's frame round it, whose
# extents are then in $extents.
framed_at_size() {
  [ "$(window_geometry "$1" | cut -d' ' -f2)" = "$2" ] && extents=$(frame_extents "$1") && [ -n "$extents" ]
}

has_either_geometry() { has_geometry "$1" "$2" || has_geometry "$1" "$3"; }

run_on_screen() {
  local screen=$1 expected=$2 manager=$3
  label="$screen, $manager"
  start_xvfb "$screen"
  [ "$manager" = "openbox" ] && start_window_manager
  rm -rf "${config:?}"/*
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$config ./kvspace &
  game=$!
  local window
  window=$(find_game_window)
  [ -n "$window" ] || fail "the launcher never appeared"

  local width=${screen%x*} height=${screen#*x}
  wait_for_geometry "$window" "$(centred 285x100)" ||
    fail "launcher at $(window_geometry "$window"), not $(centred 285x100)"
  click_play "$window" || fail "Play was not clicked"

  local w=${expected%x*} h=${expected#*x}
  local left=$(( (width - w) / 2 )) top=$(( (height - h) / 2 ))
  local opened="$left,$top $expected"
  # The game's window is centred. Under openbox it has a frame, which SDL
  # learns of only after placing it: the frame's corner then lies where the
  # window's would, and the window inside it a frame's edge further.
  if [ "$manager" = "openbox" ]; then
    local extents=""
    wait_until "$patience" framed_at_size "$window" "$expected" || fail "no frame round a window of $expected"
    read -r frame_left _ frame_top _ <<<"$extents"
    local framed="$(( left + frame_left )),$(( top + frame_top )) $expected"
    wait_until "$patience" has_either_geometry "$window" "$opened" "$framed" ||
      fail "game window at $(window_geometry "$window"), not $opened or $framed in its frame"
    opened=$(window_geometry "$window")
  fi
  wait_for_geometry "$window" "$opened" || fail "game window at $(window_geometry "$window"), not $opened"

  # Fullscreen is the window manager's to give: bare X leaves the window.
  local fullscreen="no fullscreen without a window manager"
  if [ "$manager" = "openbox" ]; then
    xdotool windowactivate --sync "$window"
    xdotool key alt+Return
    wait_for_geometry "$window" "0,0 $screen" || fail "Alt+Enter: the window is at $(window_geometry "$window")"
    xdotool key alt+Return
    wait_for_geometry "$window" "$opened" || fail "Alt+Enter again: the window is at $(window_geometry "$window")"
    fullscreen="fullscreen and back"
  fi

  # "Start game" where the title shows it at the window's scale.
  start_game "$window" || fail "Start game was not clicked"
  wait_until "$patience" space_drawn "$window" || fail "the click on Start game did not reach the space scene"

  kill -0 "$game" || fail "the game ended by itself"
  kill "$game"
  wait "$game" 2>/dev/null || true
  game=""
  stop_xvfb
  echo "$label: launcher centred, game window $expected centred, $fullscreen, Start game reached space"
}

for manager in bare openbox; do
  run_on_screen 1920x1080 800x600 "$manager"
  run_on_screen 3840x2160 2400x1800 "$manager"
done
