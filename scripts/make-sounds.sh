#!/usr/bin/env bash
# Regenerates the show's sounds into assets/sounds/: the hero's voice snippets zibo1..zibo10
# (espeak-ng, pitched up with sox), the engine sounds motor1..motor3 (sox synthesis) and the
# scenes' own sounds (chime, party, ... : see below).
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

# The scenes' own sounds ("PlayingSound" in a scene file's header), played as a performance
# begins. Voices are espeak-ng; everything else is sox synthesis. Each is made in $work, then
# normalised into $out.
say() {  # say NAME VOICE-PITCH SPEED PITCH-SHIFT TEXT
  espeak-ng -v en-us -p "$2" -s "$3" -w "$work/say-$1.wav" "$5"
  sox "$work/say-$1.wav" "${format[@]}" "$work/$1.wav" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse \
    pitch "$4"
}
tone() {  # tone NAME SYNTH-ARGS... : one sox synthesis into $work/NAME.wav
  local name=$1
  shift
  sox -n "${format[@]}" "$work/$name.wav" "$@"
}
# chime (Frost): a falling icicle arpeggio
for n in 0 1 2 3; do tone "chime$n" synth 0.3 pluck "$((2093 - n * 262))" fade 0 0.3 0.25; done
sox "$work"/chime{0,1,2,3}.wav "$work/chime.wav"
# party (Crumb): "Surprise!" and a party horn
say party-voice 70 170 300 "Surprise!"
tone party-horn synth 0.45 sawtooth 400-700 tremolo 22 60 fade 0.02 0.45 0.1 vol 0.5
sox "$work/party-voice.wav" "$work/party-horn.wav" "$work/party.wav"
# splash (Glub): a wave on the sand
tone splash synth 1.0 brownnoise lowpass 1800 fade q 0.05 1.0 0.8 tremolo 3 40
# beeps (Clank): robots counting in
for n in 0 1 2; do tone "beep$n" synth 0.14 square "$((660 + n * 220))" fade 0 0.14 0.02 pad 0 0.06; done
sox "$work"/beep{0,1,2,0}.wav "$work/beeps.wav"
# bloom (Petal): a rising whistle and a pop
tone bloom-rise synth 0.6 sine 500-1500 fade 0.05 0.6 0.1
tone bloom-pop synth 0.12 pluck 1760 fade 0 0.12 0.1
sox "$work/bloom-rise.wav" "$work/bloom-pop.wav" "$work/bloom.wav"
# yawn (Snooze): a long, low yawn
say yawn 30 80 -300 "Haaaawwm"
# ding (Rolo): a shop bell
tone ding synth 1.2 sine 1320 sine 1980 remix - fade 0 1.2 1.1
# twinkle (Jellybell): a rising sparkle
for n in 0 1 2 3 4; do tone "tw$n" synth 0.16 pluck "$((1047 + n * 262))" fade 0 0.16 0.12; done
sox "$work"/tw{0,1,2,3,4}.wav "$work/twinkle.wav"
# whoosh (moving scenes, Grumpus): air rushing past
tone whoosh synth 1.2 pinknoise sinc 300-3000 fade q 0.4 1.2 0.7 tremolo 1 60
# poof (Mitzi): a puff of smoke and "Ta-da!"
tone poof-puff synth 0.3 whitenoise lowpass 1200 fade 0 0.3 0.28
say poof-voice 90 170 400 "Ta-da!"
sox "$work/poof-puff.wav" "$work/poof-voice.wav" "$work/poof.wav"
# hic (Hiccup)
say hic 99 200 500 "hic!"
# snore (Nap): two snores
tone snore synth 1.3 brownnoise lowpass 500 tremolo 1.6 90 fade 0.1 1.3 0.2
# click (Photo): a camera shutter
tone click-a synth 0.04 whitenoise vol 0.4 highpass 2000 pad 0 0.05
tone click-b synth 0.06 whitenoise bandpass 3000 800 fade 0 0.06 0.05
sox "$work/click-a.wav" "$work/click-b.wav" "$work/click.wav"
# fizz (Fizz): bubbling soda
tone fizz synth 1.2 whitenoise vol 0.4 highpass 3000 tremolo 13 80 fade 0.05 1.2 0.5
# boing (Bloop): jelly on a spring
tone boing synth 0.8 sine 200-600 tremolo 9 60 fade 0 0.8 0.4
# spout (Posty): a whale's happy hum
tone spout synth 1.2 sine 180-320 sine 360-640 remix - tremolo 5 30 fade 0.1 1.2 0.4
# buzz (Buzz): a fly; squeak (Nib): a mouse
tone buzz synth 1.3 sawtooth 190 tremolo 31 70 lowpass 1400 vol 0.6 fade 0.1 1.3 0.3
for n in 0 1; do tone "sq$n" synth 0.12 sine 1900-2700 fade 0.01 0.12 0.05 pad 0 0.08; done
sox "$work/sq0.wav" "$work/sq1.wav" "$work/squeak.wav"
for name in chime party splash beeps bloom yawn ding twinkle whoosh poof hic snore click fizz boing spout buzz squeak; do
  sox "$work/$name.wav" "${format[@]}" "$out/$name.wav" fade 0 -0 0.02 gain -n -3
done

for f in "$out"/*.wav; do
  seconds=$(soxi -D "$f")
  printf '%s %ss\n' "$f" "$seconds"
  awk -v s="$seconds" 'BEGIN { exit !(s <= 1.5) }' || { echo "$f is longer than 1.5 s" >&2; exit 1; }
done
