# Sourced by tests and benchmarks that need two monitors: start_private_monitors W1xH1 W2xH2
# starts an X server of our own (Xorg with the dummy driver, on a free display number) whose
# one screen has two RandR outputs, the second right of the first, as a desktop with two
# monitors has; adds its pid to the caller's `pids` and exports DISPLAY. Needs the caller's
# `work` folder. Returns 1, with the reason in `monitors_problem`, where such a server cannot
# start.
start_private_monitors() {
  local first=$1 second=$2
  if ! command -v Xorg >/dev/null || ! command -v xrandr >/dev/null ||
     [[ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]]; then
    monitors_problem="needs Xorg, xrandr and the dummy video driver (scripts/deps.sh test installs them)"
    return 1
  fi
  local w1=${first%x*} h1=${first#*x} w2=${second%x*} h2=${second#*x}
  cat >"$work/xorg.conf" <<CONF
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam $(( (w1 + w2) * (h1 > h2 ? h1 : h2) * 4 / 1024 + 16384 ))
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual $((w1 + w2)) $(( h1 > h2 ? h1 : h2 ))
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF
  Xorg -noreset -nolisten tcp -config "$work/xorg.conf" -logfile "$work/xorg.log" \
       -displayfd 3 3>"$work/display" 2>"$work/xorg.err" &
  pids+=($!)
  for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  if [[ ! -s "$work/display" ]]; then
    monitors_problem="Xorg did not start: $(tail -n 3 "$work/xorg.err" 2>/dev/null | tr '\n' ' ')"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$work/display")"
  # A mode of our own for each size (timings do not matter to the dummy driver).
  local size
  for size in $(printf '%s\n' "$first" "$second" | sort -u); do
    local w=${size%x*} h=${size#*x}
    xrandr --newmode "test-$size" 100 "$w" $((w + 48)) $((w + 80)) $((w + 160)) \
           "$h" $((h + 3)) $((h + 8)) $((h + 30)) +hsync +vsync 2>/dev/null
  done
  { xrandr --addmode DUMMY0 "test-$first" && xrandr --addmode DUMMY1 "test-$second" &&
    xrandr --output DUMMY0 --mode "test-$first" --pos 0x0 --primary \
           --output DUMMY1 --mode "test-$second" --pos "${w1}x0"; } 2>/dev/null || {
    monitors_problem="the two monitors could not be set up"; return 1; }
  # The server takes the layout a moment after saying yes.
  for _ in $(seq 50); do
    [[ "$(xrandr --listmonitors 2>/dev/null | head -n1)" == "Monitors: 2" ]] && return 0
    sleep 0.1
  done
  monitors_problem="the server does not report two monitors"
  return 1
}
