#!/usr/bin/env bash
# Regenerates the show's sounds into assets/sounds/: the hero's voice snippets zibo1..zibo10
# (espeak-ng, pitched up with sox) and the engine sounds motor1..motor3 (sox synthesis).
# All are 16-bit mono PCM at 22050 Hz, at most 1.5 s. Noise uses sox's repeatable mode, so a
# rerun gives the same files. Needs espeak-ng and sox; as root it installs them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh sounds

out=assets/sounds
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
format=(-R -D -r 22050 -c 1 -b 16 -e signed-integer)

# The hero: a small, quick, high voice. Numbered as the show picks them (zibo1 to zibo10).
lines=("Hello!" "Wheee!" "Zibolt!" "Oh boy!" "La la laa!" "Yippee!" "Uh oh!" "Bye bye!" "Hmm?" "Wow!")
for i in "${!lines[@]}"; do
  n=$((i + 1))
  espeak-ng -v en-us -s 185 -p 85 -w "$work/raw$n.wav" "${lines[$i]}"
  sox "$work/raw$n.wav" "${format[@]}" "$out/zibo$n.wav" \
    silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse \
    pitch 450 tempo 1.08 fade 0.01 gain -n -2
done

# Engines. 1: a warm rocket rumble; 2: a rising plasma whine; 3: a sputtering putt-putt.
sox -n "${format[@]}" "$out/motor1.wav" synth 1.3 brownnoise lowpass 450 tremolo 18 60 \
  fade 0.15 1.3 0.4 gain -n -3
sox -n "${format[@]}" "$out/motor2.wav" synth 1.3 sine 260-900 overdrive 10 tremolo 30 40 \
  fade 0.1 1.3 0.3 gain -n -6
sox -n "${format[@]}" "$out/motor3.wav" synth 1.3 brownnoise lowpass 900 tremolo 7 100 \
  fade 0.05 1.3 0.2 gain -n -3

for f in "$out"/*.wav; do
  seconds=$(soxi -D "$f")
  printf '%s %ss\n' "$f" "$seconds"
  awk -v s="$seconds" 'BEGIN { exit !(s <= 1.5) }' || { echo "$f is longer than 1.5 s" >&2; exit 1; }
done
