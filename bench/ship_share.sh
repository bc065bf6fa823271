#!/usr/bin/env bash
# How tall the landed ship is on screens of every size: `zibolt /s` with one planet scene on a
# private Xvfb of each size, a screenshot once the ship has landed (kept in OUTDIR), and the
# ship's height from its antenna's tip down to its anchor line, over the screen's height.
#   bench/ship_share.sh ZIBOLT OUTDIR [WxH...]
# The ship lands with its anchor (the bottom of its body) 100 design pixels above the stage's
# bottom, 200 left of its centre; the design size is the one the README gives for the screen.
set -euo pipefail
zibolt=$1
outdir=$2
shift 2
sizes=("$@")
(( ${#sizes[@]} )) || sizes=(1366x768 1920x1080 2560x1440 3440x1440 3840x2160)
here=$(cd "$(dirname "$0")/.." && pwd)
for tool in Xvfb import convert; do
  command -v "$tool" >/dev/null || { echo "ship share: $tool is not installed"; exit 0; }
done
data=$("$zibolt" --help | sed -n 's/^Data folder: //p')
mkdir -p "$outdir"

# design W H: the stage size the show composes at on a W x H screen (no --resolution).
design() {
  local w=$1 h=$2 k
  (( h < 540 )) && { echo "$w $h"; return; }
  for (( k = (h + 799) / 800; h / k >= 540; ++k )); do
    (( h % k == 0 )) && { echo "$((w / k)) $((h / k))"; return; }
  done
  k=$(( (h + 799) / 800 ))
  local dh=$(( (h + k / 2) / k )); (( dh < 540 )) && dh=540
  echo "$(( (w * dh + h / 2) / h )) $dh"
}

for size in "${sizes[@]}"; do
  work=$(mktemp -d)
  pids=()
  source "$here/tests/private_xvfb.sh"
  start_private_xvfb "$size"
  mkdir -p "$work/data" "$work/config" "$work/run"
  chmod 700 "$work/run"
  ln -s "$data/Skins" "$data/Sounds" "$data/Fizz.vcs" "$work/data/"
  SDL_AUDIODRIVER=dummy ZIBOLT_QUIET_REPORTS=1 ZIBOLT_DATA_DIR=$work/data \
    ZIBOLT_CONFIG_DIR=$work/config XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state \
    "$zibolt" /s >"$work/out.txt" 2>&1 &
  pids+=($!)
  w=${size%x*} h=${size#*x}
  read -r dw dh < <(design "$w" "$h")
  f=$(( h / dh ))
  x=$(( (dw / 2 - 200) * f )) anchor=$(( (dh - 100) * f )) from=$(( (dh - 360) * f ))
  # Once the ship has landed, the first dark pixel (the outline) from above in a narrow band
  # round its antenna is the antenna's tip; the band holds the tip and the planet's sky.
  sleep 8
  shot=$outdir/ship-$size.png top=""
  for _ in $(seq 12); do
    sleep 2
    import -window root "$shot"
    top=$(convert "$shot" -crop "$((8 * f))x$((60 * f))+$((x - 4 * f))+$from" +repage txt:- |
          awk -F'[(,:)]' 'NR > 1 && $4 + $5 + $6 < 150 { print $2 }' | sort -n | head -n1)
    [[ -n "$top" ]] && (( top > 0 )) && break
    top=""
  done
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null || true
  rm -rf "$work"
  if [[ -z "$top" ]]; then
    echo "ship share: $size: no landed ship where a ${dw}x$dh stage puts it ($shot)"
    continue
  fi
  awk -v s="$size" -v d="${dw}x$dh" -v f="$f" -v t=$((anchor - from - top)) -v h="$h" \
      -v shot="$shot" \
    'BEGIN { printf "ship share: %-9s composed at %-9s x%d: ship %4d px high, %4.1f %% of the screen  %s\n",
             s, d, f, t, 100 * t / h, shot }'
done
