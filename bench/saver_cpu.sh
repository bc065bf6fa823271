#!/usr/bin/env bash
# Share of one core that the running saver takes: `zibolt /s` on a private X server for N
# seconds, its processor time (user + system, with the shows it starts for other monitors)
# over the wall time, and the X server's own, which does the work of showing what the saver
# sends. The saver's count of frames written whole, in parts and not at all follows.
#   bench/saver_cpu.sh ZIBOLT SECONDS SCREEN LABEL [zibolt options...]
# SCREEN is WxH for an Xvfb screen, or WxH+WxH for two monitors side by side (Xorg with the
# dummy driver; skipped where that cannot start). The environment is passed on, so
# ZIBOLT_WHOLE_FRAMES=1 runs the saver as it was before it tracked changes, and ZIBOLT_SEED=N
# shows the scenes of seed N (a second monitor's show those of N + 7919).
set -euo pipefail
zibolt=$1
seconds=$2
screen=$3
label=$4
shift 4
here=$(cd "$(dirname "$0")/.." && pwd)
command -v Xvfb >/dev/null || { echo "saver cpu: Xvfb is not installed"; exit 0; }

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"' EXIT
source "$here/tests/private_xvfb.sh"
source "$here/tests/private_monitors.sh"
if [[ "$screen" == *+* ]]; then
  start_private_monitors "${screen%%+*}" "${screen##*+}" ||
    { echo "saver cpu: $label: skipped: $monitors_problem"; exit 0; }
else
  start_private_xvfb "$screen"
fi
server=${pids[-1]}
export SDL_AUDIODRIVER=dummy ZIBOLT_QUIET_REPORTS=1 ZIBOLT_PRESENT_STATS=1
export ZIBOLT_CONFIG_DIR=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$ZIBOLT_CONFIG_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$zibolt" /s "$@" >"$work/out.txt" 2>&1 &
pid=$!
pids+=($pid)
sleep 3  # start-up is not the running show
ticks() {
  local sum=0 p
  for p in "$@"; do
    [[ -r "/proc/$p/stat" ]] && sum=$((sum + $(awk '{print $14 + $15}' "/proc/$p/stat")))
  done
  echo "$sum"
}
# The saver and the shows it started for other monitors.
members="$pid $( (ps -o pid= --ppid "$pid" 2>/dev/null || true) | tr "\n" " ")"
start_ticks=$(ticks $members)
start_server=$(ticks "$server")
start_ns=$(date +%s%N)
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || { echo "saver cpu: $label: zibolt ended early"; cat "$work/out.txt"; exit 1; }
end_ticks=$(ticks $members)
end_server=$(ticks "$server")
end_ns=$(date +%s%N)
shows=$(echo $members | wc -w)
kill "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
counts=$( (grep -h "^zibolt: frames" "$work/out.txt" || true) | sed "s/^zibolt: //" | head -n "$shows" | paste -sd "|" - | sed "s/|/ | /g")
awk -v t=$((end_ticks - start_ticks)) -v x=$((end_server - start_server)) \
    -v hz="$(getconf CLK_TCK)" -v ns=$((end_ns - start_ns)) -v label="$label" \
    -v screen="$screen" -v shows="$shows" -v counts="$counts" \
    'BEGIN { s = ns / 1e9
             printf "saver cpu: %-30s %-19s zibolt %5.1f %% (%d show%s), X server %5.1f %% of one core, %.0f s\n",
                    label, screen, 100 * t / hz / s, shows, (shows > 1 ? "s" : ""), 100 * x / hz / s, s
             if (counts != "") printf "           %s\n", counts }'
