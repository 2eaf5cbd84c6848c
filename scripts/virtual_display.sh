# Sourced by scripts that need an X display without a screen: starts Xvfb on a free display
# number, waits until it accepts connections, exports DISPLAY and sets xvfb_pid.
# -noreset keeps the server up between clients, so a program started right after another ends
# never meets a server in the middle of its reset. VIRTUAL_DISPLAY (such as :40) asks for that
# display number instead of the first free one.
start_virtual_display() {
  local display_file
  display_file=$(mktemp)
  Xvfb ${VIRTUAL_DISPLAY:-} -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
    3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
    return 1
  fi
  export DISPLAY=:$(cat "$display_file")
  rm -f "$display_file"
}
