#!/usr/bin/env bash
# Installs the game into a temporary prefix (DESTDIR) and starts the installed
# executable from an unrelated working directory under Xvfb: it must show the
# launcher with its picture, not the plain panel left when the picture is not
# found. Then the same with KVSPACE_DATA naming a copy of the data and the
# installed data gone, and with it naming a folder without data; then with no
# data anywhere: one message and a non-zero exit, within 2 seconds when there
# is no display to show a message box on.
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

# The number of different colours in the band of the window at the given
# window rows, read from Xvfb's screen file.
colours_in_rows() {
  local x=$1 y=$2 width=$3 first=$4 last=$5
  perl -e '
    my ($file, $x, $y, $w, $first, $last) = @ARGV;
    open(my $fh, "<:raw", $file) or die "no screen file";
    local $/; my $d = <$fh>;
    my @h = unpack("N25", $d);
    my ($header, $line, $ncolors) = ($h[0], $h[12], $h[19]);
    my $base = $header + 12 * $ncolors;
    my %seen;
    for my $r ($first .. $last) {
      for my $c (0 .. $w - 1) {
        $seen{substr($d, $base + ($y + $r) * $line + ($x + $c) * 4, 3)} = 1;
      }
    }
    print scalar(keys %seen), "\n";
  ' "$xvfb_screen" "$x" "$y" "$width" "$first" "$last"
}

# Starts the installed game and checks that its launcher shows the picture.
expect_launcher_with_picture() {
  local what=$1
  "$executable" 2>"$work/stderr" &
  game=$!
  local window
  window=$(find_game_window)
  [ -n "$window" ] || { echo "$what: the launcher never appeared"; cat "$work/stderr"; exit 1; }
  local geometry
  for _ in $(seq 50); do
    geometry=$(xdotool getwindowgeometry "$window")
    echo "$geometry" | grep -q "Geometry: 285x100" && break
    sleep 0.1
  done
  sleep 0.5
  local x y
  x=$(echo "$geometry" | awk '/Position/ {split($2, p, ","); print p[1]}')
  y=$(echo "$geometry" | awk '/Position/ {split($2, p, ","); print p[2]}')
  # Above the controls the plain panel is one colour; the picture has many.
  local colours
  colours=$(colours_in_rows "$x" "$y" 285 0 40)
  [ "$colours" -gt 20 ] || { echo "$what: the launcher shows $colours colours, not its picture"; cat "$work/stderr"; exit 1; }
  ! grep -q "file not found" "$work/stderr" || { echo "$what: a data file was not found"; cat "$work/stderr"; exit 1; }
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
  wait "$game" || status=$?
  game=""
  [ "$status" -ne 0 ] || { echo "$what: the game ended with status 0"; exit 1; }
  [ "$(grep -c "It looked in" "$work/stderr")" -eq 1 ] || { echo "$what: the message was not given once"; cat "$work/stderr"; exit 1; }
  grep -q "scripts/play" "$work/stderr" || { echo "$what: the message does not tell how to play"; exit 1; }
}

# Without a display the message goes to stderr and the game ends at once.
start=$(date +%s%N)
env -u DISPLAY "$executable" 2>"$work/stderr" &
game=$!
expect_one_message_and_failure "no data, no display"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$elapsed" -lt 2000 ] || { echo "no data, no display: the game took $elapsed ms to end"; exit 1; }
echo "no data, no display: one message, a failure status after $elapsed ms"

# With a display the message also opens in a box in the middle of the screen,
# and the game ends when the player closes it. Without a window manager the
# keys go to the window under the pointer: Return there closes the box. The
# bound only tells a hang from an end: how long a box stays open is the
# player's to decide, and a busy machine is slow to draw it.
xdotool mousemove 512 384
start=$(date +%s%N)
"$executable" 2>"$work/stderr" &
game=$!
for _ in $(seq 200); do
  kill -0 "$game" 2>/dev/null || break
  sleep 0.05
  xdotool key Return
done
kill -0 "$game" 2>/dev/null && { echo "no data: the game did not end after its message box"; exit 1; }
expect_one_message_and_failure "no data"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
echo "no data: one message box, closed, a failure status after $elapsed ms"
