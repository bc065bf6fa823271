#!/usr/bin/env bash
# Share of one core that the running saver takes: `zibolt /s` on a private X server for N
# seconds, its processor time (user + system, with the shows it starts for other monitors)
# over the wall time, and the X server's own, which does the work of showing what the saver
# sends. The saver's count of frames written whole, in parts and not at all ends the line.
#   bench/saver_cpu.sh ZIBOLT SECONDS SCREEN LABEL [zibolt options...]
# SCREEN is WxH for an Xvfb screen, or WxH+WxH for two monitors side by side (an Xorg server
# with the dummy driver; skipped where that cannot start). The environment is passed on, so
# ZIBOLT_WHOLE_FRAMES=1 runs the saver as it was before it tracked changes.
set -euo pipefail
zibolt=$1
seconds=$2
screen=$3
label=$4
shift 4
command -v Xvfb >/dev/null || { echo "saver cpu: Xvfb is not installed"; exit 0; }

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT

if [[ "$screen" == *+* ]]; then
  # Two monitors: one X screen with two RandR outputs, as a desktop with two monitors has.
  if ! command -v Xorg >/dev/null || ! command -v xrandr >/dev/null ||
     [[ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]]; then
    echo "saver cpu: $label: skipped (needs Xorg, xrandr and the dummy driver: scripts/deps.sh bench)"
    exit 0
  fi
  first=${screen%%+*}; second=${screen##*+}
  w1=${first%x*}; h1=${first#*x}; w2=${second%x*}; h2=${second#*x}
  cat >"$work/xorg.conf" <<EOF
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 512000
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
EOF
  Xorg -noreset -nolisten tcp -config "$work/xorg.conf" -logfile "$work/xorg.log" \
       -displayfd 3 3>"$work/display" 2>/dev/null &
  server=$!
else
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
  server=$!
fi
pids+=($server)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "saver cpu: $label: the X server did not start"; exit 0; }
export DISPLAY=":$(head -n1 "$work/display")" SDL_AUDIODRIVER=dummy ZIBOLT_QUIET_REPORTS=1
export ZIBOLT_CONFIG_DIR=$work/config XDG_RUNTIME_DIR=$work/run ZIBOLT_PRESENT_STATS=1
mkdir -p "$ZIBOLT_CONFIG_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
if [[ "$screen" == *+* ]]; then
  # Modes named after their size; the second monitor right of the first.
  xrandr --newmode "$first" 148.5 "$w1" $((w1 + 88)) $((w1 + 132)) $((w1 + 280)) \
         "$h1" $((h1 + 4)) $((h1 + 9)) $((h1 + 45)) +hsync +vsync
  [[ "$second" != "$first" ]] &&
    xrandr --newmode "$second" 108 "$w2" $((w2 + 48)) $((w2 + 160)) $((w2 + 408)) \
           "$h2" $((h2 + 1)) $((h2 + 4)) $((h2 + 42)) +hsync +vsync
  xrandr --addmode DUMMY0 "$first" && xrandr --addmode DUMMY1 "$second"
  xrandr --output DUMMY0 --mode "$first" --pos 0x0 --primary \
         --output DUMMY1 --mode "$second" --pos "${w1}x0"
fi

"$zibolt" /s "$@" >"$work/out.txt" 2>&1 &
pid=$!
pids+=($pid)
sleep 3  # start-up is not the running show
# The saver and the shows it started for other monitors.
family() { echo "$pid"; ps -o pid= --ppid "$pid" 2>/dev/null || true; }
ticks() {
  local sum=0 p
  for p in "$@"; do
    [[ -r "/proc/$p/stat" ]] && sum=$((sum + $(awk '{print $14 + $15}' "/proc/$p/stat")))
  done
  echo "$sum"
}
members=$(family)
start_ticks=$(ticks $members)
start_server=$(ticks "$server")
start_ns=$(date +%s%N)
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || { echo "saver cpu: $label: zibolt ended early"; cat "$work/out.txt"; exit 1; }
end_ticks=$(ticks $members)
end_server=$(ticks "$server")
end_ns=$(date +%s%N)
shows=$(echo "$members" | wc -w)
kill "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
counts=$(grep -h "^zibolt: frames" "$work/out.txt" | head -n1 | sed 's/^zibolt: //')
awk -v t=$((end_ticks - start_ticks)) -v x=$((end_server - start_server)) \
    -v hz="$(getconf CLK_TCK)" -v ns=$((end_ns - start_ns)) -v label="$label" \
    -v screen="$screen" -v shows="$shows" -v counts="$counts" \
    'BEGIN { s = ns / 1e9
             printf "saver cpu: %-34s %-19s zibolt %5.1f %% (%d process%s), X server %5.1f %% of one core over %.0f s\n",
                    label, screen, 100 * t / hz / s, shows, (shows > 1 ? "es" : ""), 100 * x / hz / s, s
             if (counts != "") printf "           %s\n", counts }'
