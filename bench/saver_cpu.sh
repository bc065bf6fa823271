#!/usr/bin/env bash
# Share of one core that the running saver takes: `zibolt /s` on a private 1920x1080 X server
# for N seconds, its processor time (user + system) over the wall time.
#   bench/saver_cpu.sh ZIBOLT [SECONDS [zibolt options...]]
set -euo pipefail
zibolt=$1
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
command -v Xvfb >/dev/null || { echo "saver cpu: Xvfb is not installed"; exit 0; }

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" SDL_AUDIODRIVER=dummy ZIBOLT_QUIET_REPORTS=1
export ZIBOLT_CONFIG_DIR=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$ZIBOLT_CONFIG_DIR" "$XDG_RUNTIME_DIR"

"$zibolt" /s "$@" >"$work/out.txt" 2>&1 &
pid=$!
pids+=($pid)
sleep 2  # start-up is not the running show
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
start_ticks=$(ticks)
start_ns=$(date +%s%N)
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || { echo "saver cpu: zibolt ended early"; cat "$work/out.txt"; exit 1; }
end_ticks=$(ticks)
end_ns=$(date +%s%N)
awk -v t=$((end_ticks - start_ticks)) -v hz="$(getconf CLK_TCK)" -v ns=$((end_ns - start_ns)) \
    -v opts="$*" 'BEGIN { printf "saver cpu: zibolt /s %s at 1920x1080: %.1f %% of one core over %.0f s\n",
                          opts, 100 * t / hz / (ns / 1e9), ns / 1e9 }'
