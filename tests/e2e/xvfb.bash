# Shared by the end-to-end tests, which source it (ctest runs only the *.sh
# files): an Xvfb screen of its own, a window manager on it when asked, the
# game's window and its place, and pixels read from the screen.
#
# start_xvfb SIZE [XVFB_OPTIONS...]  a WIDTHxHEIGHT screen at 24 bits on a
#                                    free display; exports DISPLAY, and
#                                    names the file that holds its picture
#                                    in xvfb_screen (see below)
# start_window_manager               openbox on that screen, once it runs
# stop_xvfb                          ends both (also done on exit)
# find_game_window                   the id of the game's visible window
# window_geometry WINDOW             "X,Y WIDTHxHEIGHT" of its inside
# frame_extents WINDOW               the window manager's frame round it
# wait_for_geometry WINDOW EXPECTED  waits up to 10 s for that geometry
#
# The screen file is an XWD image: a big-endian header (its size in word 0,
# a row's bytes in word 12, the colour map's entries in word 19), a colour
# map of 12-byte entries, then 32-bit pixels, blue, green and red first.

xvfb_pid=""
window_manager_pid=""
xvfb_folder=""
xvfb_screen=""

start_xvfb() {
  local size=$1
  shift
  xvfb_folder=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -fbdir "$xvfb_folder" -nolisten tcp "$@" \
    3>"$xvfb_folder/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$xvfb_folder/display" ] && break; sleep 0.1; done
  [ -s "$xvfb_folder/display" ] || { echo "Xvfb did not start"; return 1; }
  DISPLAY=:$(head -n 1 "$xvfb_folder/display")
  export DISPLAY
  xvfb_screen=$xvfb_folder/Xvfb_screen0
}

# Openbox owns the screen once it names itself on the root window.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  window_manager_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "openbox did not start"
  return 1
}

stop_xvfb() {
  [ -n "$window_manager_pid" ] && kill "$window_manager_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_folder" ] && rm -rf "$xvfb_folder"
  window_manager_pid="" xvfb_pid="" xvfb_folder="" xvfb_screen=""
}

find_game_window() {
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^kvspace$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

# From xwininfo: xdotool adds a window manager's frame offset twice.
window_geometry() {
  xwininfo -id "$1" 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2}
         END {print x "," y " " w "x" h}'
}

# The frame a window manager put round the window: "LEFT RIGHT TOP BOTTOM".
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | awk -F' = ' '/=/ {gsub(",", "", $2); print $2}'
}

wait_for_geometry() {
  for _ in $(seq 100); do [ "$(window_geometry "$1")" = "$2" ] && return 0; sleep 0.1; done
  return 1
}
