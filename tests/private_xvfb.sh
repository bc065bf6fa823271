# Sourced by the window tests: start_private_xvfb starts an X server of our own on a free
# display number (so tests may run side by side), adds its pid to the caller's `pids` and
# exports DISPLAY. Needs the caller's `work` folder. The screen is 1024x768 unless a size
# (WxH) is given. No reset when the last client leaves, as on a desktop that always has
# clients: a program that opens and closes a connection of its own before its main one
# would otherwise race the server's reset.
start_private_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  [[ -s "$work/display" ]] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}
