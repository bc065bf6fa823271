#!/usr/bin/env bash
# The show's sounds reach the audio device: the program runs with SDL's "disk" audio driver,
# which writes every sample it plays to a file, and a planet scene's engine sound must show
# up there as samples that are not silence. The data folder spells the sound's folder and
# file in other letter cases than the show asks for ("SOUNDS/Motor1.WAV" for Sounds/motor1).
#   sound_test.sh ZIBOLT DATA_DIR
set -uo pipefail
zibolt=$1
data=$2

work=$(mktemp -d)
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/data/SOUNDS" "$work/config" "$work/run"
chmod 700 "$work/run"
# One planet scene, whose arrival starts with the engine sound.
cp "$data/Bloop.vcs" "$work/data/"
cp "$data/Sounds/motor1.wav" "$work/data/SOUNDS/Motor1.WAV"

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" \
  ZIBOLT_DATA_DIR="$work/data" ZIBOLT_CONFIG_DIR="$work/config" XDG_RUNTIME_DIR="$work/run" \
  XDG_STATE_HOME="$work/state" ZIBOLT_QUIET_REPORTS=1 DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
  "$zibolt" --sound >"$work/out.txt" 2>&1 &
pid=$!

# Samples (16-bit, as the wave file has them) further from silence than a faint hiss.
loud() {
  [[ -s "$work/played.raw" ]] || { echo 0; return; }
  od -An -v -td2 -w2 "$work/played.raw" | awk '$1 > 256 || $1 < -256 { n++ } END { print n + 0 }'
}
n=0
for _ in $(seq 100); do
  n=$(loud)
  (( n > 1000 )) && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if (( n > 1000 )); then
  echo "PASS: $n loud samples played"
  exit 0
fi
echo "FAIL: the audio device got $n loud samples, not the engine sound"
echo "--- zibolt's output"; cat "$work/out.txt"
exit 1
