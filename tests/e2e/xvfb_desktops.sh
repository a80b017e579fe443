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

# The space scene's top bar: its "New game" button, frame pixels 10..160 x
# 5..30, is drawn in green lines and letters that the title and the intro
# never show there. Counts the green frame pixels of that area in a window
# whose inside starts at (LEFT, TOP), SCALE screen pixels a frame pixel.
green_top_bar_pixels() {
  perl -e '
    my ($file, $left, $top, $scale) = @ARGV;
    open(my $fh, "<:raw", $file) or die "no screen file";
    local $/; my $d = <$fh>;
    my @h = unpack("N25", $d);
    my $base = $h[0] + 12 * $h[19];
    my $n = 0;
    for my $fy (5 .. 30) {
      for my $fx (10 .. 160) {
        my $x = $left + $fx * $scale + int($scale / 2);
        my $y = $top + $fy * $scale + int($scale / 2);
        my ($b, $g, $r) = unpack("C3", substr($d, $base + $y * $h[12] + $x * 4, 3));
        $n++ if $g >= 80 && $g > $r + 40;
      }
    }
    print "$n\n";
  ' "$xvfb_screen" "$1" "$2" "$3"
}

fail() {
  echo "$label: $*"
  exit 1
}

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
  local centred="$(( (width - 285) / 2 )),$(( (height - 100) / 2 )) 285x100"
  wait_for_geometry "$window" "$centred" || fail "launcher at $(window_geometry "$window"), not $centred"
  # A player's pointer rests a moment on "Play" before the click.
  xdotool mousemove --window "$window" 234 56
  sleep 0.2
  xdotool click 1

  local w=${expected%x*} h=${expected#*x}
  local left=$(( (width - w) / 2 )) top=$(( (height - h) / 2 ))
  local opened="$left,$top $expected"
  # The game's window is centred. Under openbox it has a frame, which SDL
  # learns of only after placing it: the frame's corner then lies where the
  # window's would, and the window inside it a frame's edge further.
  if [ "$manager" = "openbox" ]; then
    local extents
    for _ in $(seq 50); do
      [ "$(window_geometry "$window" | cut -d' ' -f2)" = "$expected" ] && extents=$(frame_extents "$window") &&
        [ -n "$extents" ] && break
      sleep 0.1
    done
    read -r frame_left _ frame_top _ <<<"$extents"
    local framed="$(( left + frame_left )),$(( top + frame_top )) $expected"
    [ "$(window_geometry "$window")" = "$opened" ] || [ "$(window_geometry "$window")" = "$framed" ] ||
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

  # "Start game": frame pixel (150, 450) of the title, at the window's scale.
  local scale=$(( w / 800 ))
  sleep 0.5
  xdotool mousemove --window "$window" $(( 150 * scale + scale / 2 )) $(( 450 * scale + scale / 2 ))
  sleep 0.3
  xdotool click 1
  local green=0
  for _ in $(seq 50); do
    green=$(green_top_bar_pixels "$left" "$top" "$scale")
    [ "$green" -ge 300 ] && break
    sleep 0.1
  done
  [ "$green" -ge 300 ] || fail "the click on Start game did not reach the space scene ($green green pixels)"

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
