# Shared by the end-to-end tests, which source it (ctest runs only the *.sh
# files): an Xvfb screen of its own, a window manager on it when asked, the
# game's window and its place, pixels read from the screen, and the waits
# for what the game shows. Nothing here sleeps a fixed time: every step
# waits, up to $patience seconds, for the sign that the game has got there,
# so a busy machine only makes the tests slower.
#
# wait_until SECONDS COMMAND...      runs COMMAND every 0.1 s until it
#                                    succeeds; fails once SECONDS have passed
# at_least N COMMAND...              whether COMMAND prints a number >= N
# start_xvfb SIZE [XVFB_OPTIONS...]  a WIDTHxHEIGHT screen at 24 bits on a
#                                    free display; exports DISPLAY, and
#                                    names the file that holds its picture
#                                    in xvfb_screen (see below)
# start_window_manager               openbox on that screen, once it runs
# stop_xvfb                          ends both (also done on exit)
# find_game_window                   the id of the game's visible window
# message_box                        the id of a message box of the game
# window_geometry WINDOW             "X,Y WIDTHxHEIGHT" of its inside
# centred SIZE                       that geometry for a window of SIZE in
#                                    the middle of the screen
# frame_extents WINDOW               the window manager's frame round it
# has_geometry WINDOW EXPECTED       whether it has that geometry
# wait_for_geometry WINDOW EXPECTED  waits for it
# frame_scale WINDOW                 screen pixels a frame pixel in it
# frame_pixels WINDOW X0 Y0 X1 Y1 TEST
#                                    counts the frame pixels of that
#                                    rectangle (corners included) shown in
#                                    the game's window that pass TEST, a
#                                    Perl expression of $r, $g and $b; TEST
#                                    "colours" counts different colours
# click_play WINDOW                  "Play" on the launcher, once it is drawn
#                                    in the middle of the screen
# start_game WINDOW                  "Start game" on the title, once it is
#                                    drawn and lit under the pointer
# launcher_drawn, launcher_in_place, sound_on, title_drawn,
# start_game_lit, space_drawn, console_open WINDOW
#                                    whether the screen shows that
# process_ended PID                  whether that process has ended
# launch LOG COMMAND...              starts the game in the background, its
#                                    pid in $game and its stderr in LOG,
#                                    again while the X server was starting
#                                    afresh
#
# The screen file is an XWD image: a big-endian header (its size in word 0,
# a row's bytes in word 12, the colour map's entries in word 19), a colour
# map of 12-byte entries, then 32-bit pixels, blue, green and red first.

# shellcheck disable=SC2016  # the pixel tests are Perl, single-quoted whole
patience=30
xvfb_pid=""
window_manager_pid=""
xvfb_folder=""
xvfb_screen=""
xvfb_size=""

wait_until() {
  local deadline=$((EPOCHSECONDS + $1))
  shift
  until "$@"; do
    [ "$EPOCHSECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# The X server starts afresh whenever its last client leaves, as the game
# before this one did, and a game that asks for the display meanwhile finds
# none ("x11 not available") and ends: it is started again then. It holds
# the display once a window of its own (its launcher, or a message box)
# shows.
kvspace_window_shown() { [ -n "$(xdotool search --name '^kvspace$' 2>/dev/null | head -n 1)" ]; }
connected_or_ended() { kvspace_window_shown || process_ended "$1"; }
launch() {
  local log=$1
  shift
  for _ in 1 2 3 4 5; do
    "$@" 2>"$log" &
    game=$!
    wait_until "$patience" connected_or_ended "$game" || true
    grep -q "x11 not available" "$log" || return 0
    wait "$game" 2>/dev/null || true
  done
}

at_least() {
  local least=$1 count
  shift
  count=$("$@") && [ -n "$count" ] && [ "$count" -ge "$least" ]
}

start_xvfb() {
  xvfb_size=$1
  shift
  xvfb_folder=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 "${xvfb_size}x24" -fbdir "$xvfb_folder" -nolisten tcp "$@" \
    3>"$xvfb_folder/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  wait_until "$patience" test -s "$xvfb_folder/display" || { echo "Xvfb did not start"; return 1; }
  DISPLAY=:$(head -n 1 "$xvfb_folder/display")
  export DISPLAY
  xvfb_screen=$xvfb_folder/Xvfb_screen0
}

# Openbox owns the screen once it names itself on the root window.
window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  window_manager_pid=$!
  wait_until "$patience" window_manager_runs || { echo "openbox did not start"; return 1; }
}

stop_xvfb() {
  [ -n "$window_manager_pid" ] && kill "$window_manager_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_folder" ] && rm -rf "$xvfb_folder"
  window_manager_pid="" xvfb_pid="" xvfb_folder="" xvfb_screen="" xvfb_size=""
}

game_window_shown() {
  window=$(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null | head -n 1) && [ -n "$window" ]
}
find_game_window() {
  local window=""
  wait_until "$patience" game_window_shown || true
  echo "$window"
}

# A message box of the game is SDL's, titled as the game and told apart
# from the game's window by its size.
message_box() {
  local w
  for w in $(xwininfo -root -tree | awk '/"kvspace"/ {print $1}'); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'IsViewable' || continue
    case "$(window_geometry "$w" | cut -d' ' -f2)" in 285x100 | 800x600) ;; *) echo "$w"; return;; esac
  done
}

# From xwininfo: xdotool adds a window manager's frame offset twice.
window_geometry() {
  xwininfo -id "$1" 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2}
         END {print x "," y " " w "x" h}'
}

centred() {
  local width=${1%x*} height=${1#*x}
  echo "$(( (${xvfb_size%x*} - width) / 2 )),$(( (${xvfb_size#*x} - height) / 2 )) $1"
}

# The frame a window manager put round the window: "LEFT RIGHT TOP BOTTOM".
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | awk -F' = ' '/=/ {gsub(",", "", $2); print $2}'
}

has_geometry() { [ "$(window_geometry "$1")" = "$2" ]; }
wait_for_geometry() { wait_until "$patience" has_geometry "$1" "$2"; }

# A window at least 800 wide shows the 800 x 600 frame at a whole scale,
# the launcher at 1; each frame pixel is read at the middle of its square.
frame_scale() { window_geometry "$1" | awk '{split($2, s, "x"); print (s[1] >= 800 ? int(s[1] / 800) : 1)}'; }
frame_pixels() {
  local geometry scale
  geometry=$(window_geometry "$1") && scale=$(frame_scale "$1") || return 1
  perl -e '
    my ($file, $geometry, $scale, $x0, $y0, $x1, $y1, $test) = @ARGV;
    my ($left, $top) = $geometry =~ /^(-?\d+),(-?\d+) / or exit 1;
    my $middle = int($scale / 2);
    open(my $fh, "<:raw", $file) or die "no screen file\n";
    read($fh, my $head, 100) == 100 or die "no screen header\n";
    my @h = unpack("N25", $head);
    my $base = $h[0] + 12 * $h[19];
    my $colours = $test eq "colours";
    my $passes = $colours ? sub { 1 } : eval "sub { my (\$b, \$g, \$r) = \@_; $test }";
    die $@ unless $passes;
    my ($count, %seen) = (0);
    for my $fy ($y0 .. $y1) {
      my $y = $top + $fy * $scale + $middle;
      seek($fh, $base + $y * $h[12] + ($left + $x0 * $scale) * 4, 0);
      read($fh, my $row, ($x1 - $x0 + 1) * $scale * 4);
      for my $fx (0 .. $x1 - $x0) {
        my $pixel = substr($row, ($fx * $scale + $middle) * 4, 3);
        if ($colours) { $seen{$pixel} = 1 } elsif ($passes->(unpack("C3", $pixel))) { $count++ }
      }
    }
    print $colours ? scalar(keys %seen) : $count, "\n";
  ' "$xvfb_screen" "$geometry" "$scale" "$2" "$3" "$4" "$5" "$6"
}

# The launcher's controls are drawn over its picture: the "Play" caption in
# green on its bevelled face, and the tick of "Enable sound" in yellow.
launcher_drawn() { at_least 20 frame_pixels "$1" 197 48 271 64 '$g >= 200 && $r < 60 && $b < 60'; }
sound_on() { at_least 5 frame_pixels "$1" 13 74 25 86 '$r == 255 && $g == 255 && $b == 0'; }
# The title's menu disc: the band of "Start game" shows the picture's many
# colours, and one flat olive when the pointer is on it.
title_drawn() { at_least 50 frame_pixels "$1" 70 425 230 475 colours; }
start_game_lit() { at_least 4000 frame_pixels "$1" 70 425 230 475 '$r == 99 && $g == 119 && $b == 56'; }
# The space scene's top bar: its "New game" button, frame pixels 10..160 x
# 5..30, is drawn in green lines and letters that the title and the intro
# never show there.
space_drawn() { at_least 300 frame_pixels "$1" 10 5 160 30 '$g >= 80 && $g > $r + 40'; }
# The console's input line, a bright green frame, shows while it is open.
console_open() { at_least 500 frame_pixels "$1" 30 570 770 599 '$g >= 150 && $g > $r + 100'; }

launcher_in_place() { has_geometry "$1" "$(centred 285x100)" && launcher_drawn "$1"; }

# The game maps a click through the frame it last showed, and centres the
# launcher after showing it: a click sent before both have happened misses.
# On a loaded machine a click can still go astray between xdotool and the
# game, so it is sent again while the launcher stays where it was.
launcher_left() { ! launcher_in_place "$1"; }
click_play() {
  wait_until "$patience" launcher_in_place "$1" ||
    { echo "the launcher is at $(window_geometry "$1") and not drawn in the middle of the screen"; return 1; }
  for _ in 1 2 3; do
    xdotool mousemove --window "$1" 230 50
    xdotool mousemove --window "$1" 234 56 click 1
    wait_until 8 launcher_left "$1" && return 0
  done
  echo "three clicks on Play left the launcher in place"
  return 1
}

# The title acts on the item it last saw the pointer on, so the click waits
# until "Start game" is lit. The pointer first goes elsewhere: a move to
# where it already is tells the game nothing.
start_game() {
  local window=$1 scale
  wait_until "$patience" title_drawn "$window" || { echo "the title was never drawn"; return 1; }
  scale=$(frame_scale "$window")
  xdotool mousemove --window "$window" $(( 600 * scale )) $(( 100 * scale ))
  xdotool mousemove --window "$window" $(( 150 * scale + scale / 2 )) $(( 450 * scale + scale / 2 ))
  wait_until "$patience" start_game_lit "$window" || { echo "Start game was not lit under the pointer"; return 1; }
  xdotool click 1
}
