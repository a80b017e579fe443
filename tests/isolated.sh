#!/usr/bin/env bash
# isolated.sh COMMAND [ARGUMENTS...]: runs one test as a new player's account
# would, with a home folder of its own. A fresh temporary folder becomes
# HOME, with the XDG config, data and cache folders and TMPDIR inside it, so
# that no test reads or writes the settings and saves of the account running
# the tests, and none meets what an earlier run left behind. The folder goes
# when the test ends, whatever its outcome; the test's status is returned.
set -uo pipefail
home=$(mktemp -d "${TMPDIR:-/tmp}/kvspace-test.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config" "$home/.local/share" "$home/.cache" "$home/tmp"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  XDG_CACHE_HOME=$home/.cache TMPDIR=$home/tmp TEST_TMPDIR=$home/tmp
unset XDG_STATE_HOME KVSPACE_DATA
"$@"
