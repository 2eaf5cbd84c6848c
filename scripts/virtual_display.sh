# Sourced by scripts that need an X display without a screen: starts Xvfb on a free display
# number, waits until it accepts connections, exports DISPLAY and sets xvfb_pid.
# -noreset keeps the server up between clients. Without it the server resets when its last
# client leaves, and drops every client still in its handshake: a poll that looks for the window
# manager and disconnects could take the window manager's own connection down with it.
# VIRTUAL_DISPLAY (such as :40) asks for that display number instead of the first free one.
# Usage: start_virtual_display [WIDTHxHEIGHTxDEPTH]
start_virtual_display() {
  local screen=${1:-1280x800x24} display_file
  display_file=$(mktemp)
  # The server writes its display number once it takes clients.
  Xvfb ${VIRTUAL_DISPLAY:-} -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
    3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  while kill -0 "$xvfb_pid" 2>/dev/null && [ ! -s "$display_file" ]; do
    sleep 0.05
  done
  if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start" >&2
    rm -f "$display_file"
    return 1
  fi
  export DISPLAY=:$(cat "$display_file")
  rm -f "$display_file"
}
