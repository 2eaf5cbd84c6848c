#!/usr/bin/env bash
# Runs a command on an X display of its own (Xvfb), with the openbox window manager or bare,
# and on a session D-Bus of its own, so that what the test meets does not depend on the buses
# the machine happens to run: with no session bus at all, libdbus (which Qt's X platform loads
# for accessibility) falls back to autolaunching one, fails, and leaves a leak behind.
# The server takes the first display number that no other server holds, so that tests can run
# side by side and beside whatever X servers the machine runs. A chroot's servers are another
# matter: they share the machine's abstract socket names but not its lock files, and a test
# there once met a server of the machine's that was going away; run X tests in one at a time.
# Usage: on_x_display.sh openbox|bare COMMAND...
set -euo pipefail
manager=$1
shift

manager_pid=
xvfb_pid=
stop() {
  [ -z "$manager_pid" ] || kill "$manager_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait
}
trap stop EXIT
trap 'exit 1' INT TERM HUP PIPE

source "$(dirname "$0")/../../../scripts/virtual_display.sh"
start_virtual_display 2560x1600x24
if [ "$manager" = openbox ]; then
  openbox --sm-disable &
  manager_pid=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$manager_pid" 2>/dev/null || { echo "openbox could not start on $DISPLAY" >&2; exit 1; }
    sleep 0.1
  done
  # The check window comes before openbox takes on new windows.
  sleep 1
else
  export SHIFTMETER_WINDOW_MANAGER=none
fi
# libxkbcommon-x11, which Qt's X platform loads, hands strndup a buffer with no terminating zero
# but its right length; AddressSanitizer's strict string checks take that for an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS=${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}
fi
QT_QPA_PLATFORM=xcb dbus-run-session -- "$@"
