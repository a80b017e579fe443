#!/usr/bin/env bash
# Checks what the game gives a desktop and a Debian system: the desktop entry
# and the AppStream metainfo pass their validators (with the metainfo's
# network checks on: it names no URL), the Debian packages build, lintian
# finds no error, warning or hardening tag in them, the game's package holds
# the executable, the desktop entry, the metainfo and the manual page, and the
# data package, built for all architectures, holds the data and the icons.
set -euo pipefail
source_dir=$1
build_dir=$2
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }
app_id=$(cache_value KV_APP_ID)

# SingleMainWindow came with version 1.5 of the desktop entry format, after
# Debian 12's validator (0.26): it is checked here, and the rest of the entry
# by the validator.
entry=$source_dir/dist/kvspace.desktop
grep -qx "SingleMainWindow=true" "$entry" || { echo "the desktop entry does not say it has one window"; exit 1; }
if ! grep -q "SingleMainWindow" "$(command -v desktop-file-validate)"; then
  known=$(mktemp --suffix=.desktop)
  grep -vx "SingleMainWindow=true" "$entry" >"$known"
  desktop-file-validate "$known"
  rm -f "$known"
else
  desktop-file-validate "$entry"
fi
appstreamcli validate --pedantic "$build_dir/dist/$app_id.metainfo.xml"

cd "$build_dir"
rm -f kvspace_*.deb kvspace-data_*.deb
cpack -G DEB >/dev/null
game=$(ls kvspace_*.deb)
data=$(ls kvspace-data_*_all.deb)

report=$(lintian -I -E --pedantic "$game" "$data" 2>&1 || true)
echo "$report"
if grep -Eq '^(E|W):|hardening' <<<"$report"; then
  echo "lintian finds errors, warnings or missing hardening"
  exit 1
fi

contents() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|'; }
game_contents=$(contents "$game")
data_contents=$(contents "$data")
expect() {  # expect PACKAGE FILE
  local listing=$game_contents
  [ "$1" = "data" ] && listing=$data_contents
  grep -qx "$2" <<<"$listing" || { echo "the $1 package lacks $2"; exit 1; }
}
expect game "/usr/$(cache_value KV_INSTALL_BINDIR)/kvspace"
expect game "/usr/share/applications/$app_id.desktop"
expect game "/usr/share/metainfo/$app_id.metainfo.xml"
expect game /usr/share/man/man6/kvspace.6.gz
expect game /usr/share/doc/kvspace/copyright
datadir="/usr/$(cache_value KV_INSTALL_DATADIR)"
expect data "$datadir/res/gfx/loader.bmp"
expect data "$datadir/res/outro.txt"
expect data "$datadir/res/sfx/sndtr/track1.mod"
expect data "$datadir/Objects/Spacecraft/ships.ini"
for size in 16 32 48 64 128 256; do expect data "/usr/share/icons/hicolor/${size}x${size}/apps/kvspace.png"; done
expect data /usr/share/icons/hicolor/scalable/apps/kvspace.svg
expect data /usr/share/doc/kvspace-data/copyright
! grep -q "/res/gfx/icons" <<<"$data_contents" || { echo "the icons are shipped twice"; exit 1; }
! grep -q "^$datadir" <<<"$game_contents" || { echo "the game's package holds data"; exit 1; }

depends=$(dpkg-deb -f "$game" Depends)
grep -q "kvspace-data (= $(dpkg-deb -f "$data" Version))" <<<"$depends" ||
  { echo "the game does not depend on its data at the same version"; exit 1; }
grep -q "fonts-terminus" <<<"$depends" || { echo "the package does not depend on its fonts"; exit 1; }
grep -q "libsdl2-2.0-0" <<<"$depends" || { echo "the package's library dependencies are missing"; exit 1; }
[ "$(dpkg-deb -f "$data" Architecture)" = "all" ] || { echo "the data package is not for all architectures"; exit 1; }
echo "$game and $data: valid desktop entry and metainfo, lintian clean," \
  "$(wc -l <<<"$game_contents") and $(wc -l <<<"$data_contents") entries"
