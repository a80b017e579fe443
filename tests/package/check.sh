#!/usr/bin/env bash
# Checks what the game gives a desktop and a Debian system: the desktop entry
# and the AppStream metainfo pass their validators, the Debian package builds,
# lintian finds no error in it, and it holds the executable, the data, the
# desktop entry, the icons, the metainfo and the manual page.
set -euo pipefail
source_dir=$1
build_dir=$2
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }

desktop-file-validate "$source_dir/dist/kvspace.desktop"
appstreamcli validate --no-net --pedantic "$build_dir/dist/$(cache_value KV_APP_ID).metainfo.xml"

cd "$build_dir"
rm -f kvspace_*.deb
cpack -G DEB >/dev/null
package=$(ls kvspace_*.deb)

lintian --fail-on error "$package"

contents=$(dpkg-deb -c "$package" | awk '{print $6}' | sed 's|^\./|/|')
expect() {
  grep -qx "$1" <<<"$contents" || { echo "the package lacks $1"; exit 1; }
}
expect "/usr/$(cache_value KV_INSTALL_BINDIR)/kvspace"
data="/usr/$(cache_value KV_INSTALL_DATADIR)"
expect "$data/res/gfx/loader.bmp"
expect "$data/res/outro.txt"
expect "$data/res/sfx/sndtr/track1.mod"
expect "$data/Objects/Spacecraft/ships.ini"
expect /usr/share/applications/kvspace.desktop
for size in 16 32 48 64 128 256; do expect "/usr/share/icons/hicolor/${size}x${size}/apps/kvspace.png"; done
expect "/usr/share/metainfo/$(cache_value KV_APP_ID).metainfo.xml"
expect /usr/share/man/man6/kvspace.6.gz
expect /usr/share/doc/kvspace/copyright
dpkg-deb -f "$package" Depends | grep -q "fonts-terminus" || { echo "the package does not depend on its fonts"; exit 1; }
dpkg-deb -f "$package" Depends | grep -q "libsdl2-2.0-0" || { echo "the package's library dependencies are missing"; exit 1; }
echo "$package: valid desktop entry and metainfo, lintian clean, $(wc -l <<<"$contents") entries"
