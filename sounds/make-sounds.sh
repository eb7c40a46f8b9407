#!/usr/bin/env bash
# Synthesises Kestrin's own numbered alert sounds s1.mp3 ... s12.mp3 with sox (needs the
# packages sox and libsox-fmt-mp3). Every sound is made here from sine, triangle and
# plucked-string tones; nothing is taken from elsewhere. Each one is brought to the same
# loudness (RMS about -20 dBFS) with its peak kept below -1 dBFS, so none clips and none
# is much louder than another. The mp3 files are committed, so a build needs no sox.
#   sounds/make-sounds.sh [output folder]     (default: the folder of this script)
set -euo pipefail

OUT=${1:-$(cd "$(dirname "$0")" && pwd)}
RATE=44100
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# -R: repeatable runs (the same seed each time), so the files only change when this script does.
SOX=(sox -R -q)

calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }

# One tone: name, length (s), then the synth arguments (type and frequency, optionally
# more "synth LEN TYPE mix FREQ" partials), then an envelope given as sox effects.
tone() {  # OUTFILE LENGTH SYNTH-ARGS... -- EFFECTS...
  local out=$1 len=$2
  shift 2
  local synth=() effects=()
  while [[ $# -gt 0 && $1 != -- ]]; do synth+=("$1"); shift; done
  [[ $# -gt 0 ]] && shift
  effects=("$@")
  "${SOX[@]}" -n -r $RATE -c 1 -b 16 "$WORK/$out.wav" synth "$len" "${synth[@]}" "${effects[@]}"
}

# A bell-like note: a fundamental with a few softer partials, struck and dying away.
bell() {  # OUTFILE FREQ LENGTH
  local f=$2 len=$3
  tone "$1" "$len" sine "$f" synth "$len" sine mix "$(calc "$f*2.0")" \
    synth "$len" sine mix "$(calc "$f*3.01")" -- \
    vol 0.5 fade q 0.004 "$len" "$(calc "$len-0.01")" fade l 0 "$len" "$(calc "$len*0.97")"
}

# Places several parts in time and mixes them: PART:START ...
place() {  # OUTFILE PART:START...
  local out=$1
  shift
  local inputs=() p
  for p in "$@"; do
    inputs+=("|sox $WORK/${p%%:*}.wav -p pad ${p##*:} 0")
  done
  if [[ ${#inputs[@]} -eq 1 ]]; then
    "${SOX[@]}" "$WORK/${1%%:*}.wav" "$WORK/$out.wav" pad "${1##*:}" 0
  else
    "${SOX[@]}" -m "${inputs[@]}" "$WORK/$out.wav"
  fi
}

# Same loudness for all, no clipping, then mp3.
finish() {  # WORKFILE N
  local in=$WORK/$1.wav n=$2 rms peak gain
  "${SOX[@]}" "$in" "$WORK/trim.wav" fade 0 -0 0.02
  rms=$(sox "$WORK/trim.wav" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
  peak=$(sox "$WORK/trim.wav" -n stats 2>&1 | awk '/^Pk lev dB/ {print $4}')
  gain=$(awk -v r="$rms" -v p="$peak" 'BEGIN { g = -20 - r; q = -1.5 - p; if (q < g) g = q; printf "%.2f", g }')
  "${SOX[@]}" "$WORK/trim.wav" -C 128 "$OUT/s$n.mp3" gain "$gain"
  echo "s$n.mp3: $(soxi -D "$OUT/s$n.mp3") s"
}

# 1: a rising three-note chime (G5 C6 E6) - the first default.
bell c1 783.99 1.4; bell c2 1046.5 1.4; bell c3 1318.5 1.6
place s1 c1:0 c2:0.22 c3:0.44; finish s1 1

# 2: one deep bell with inharmonic partials, ringing out.
tone b 2.8 sine 523.25 synth 2.8 sine mix 1444 synth 2.8 sine mix 2826 -- \
  vol 0.45 fade q 0.003 2.8 2.7 fade l 0 2.8 2.75
place s2 b:0; finish s2 2

# 3: three soft beeps.
tone beep 0.16 sine 880 -- fade h 0.02 0.16 0.06
place s3 beep:0 beep:0.3 beep:0.6 beep:0.9; finish s3 3

# 4: a rising tone, an octave and a half.
tone rise 1.3 sine 440-1320 synth 1.3 sine mix 880-2640 -- vol 0.6 fade h 0.08 1.3 0.25
place s4 rise:0; finish s4 4

# 5: ding-dong (E5 then C5).
bell d1 659.25 1.3; bell d2 523.25 1.7
place s5 d1:0 d2:0.55; finish s5 5

# 6: a plucked arpeggio C5 E5 G5 C6.
for n in C5 E5 G5 C6; do tone "p$n" 1.2 pluck "$n" -- fade q 0.002 1.2 0.5; done
place s6 pC5:0 pE5:0.14 pG5:0.28 pC6:0.42; finish s6 6

# 7: a gentle pulse, four times.
tone pulse 0.35 sine 660 synth 0.35 sine mix 990 -- vol 0.6 fade h 0.05 0.35 0.2
place s7 pulse:0 pulse:0.5 pulse:1.0 pulse:1.5; finish s7 7

# 8: crystal shimmer, high bells with a slow tremolo.
bell x1 1760 2.2; bell x2 2349.3 2.0
place x x1:0 x2:0.12
"${SOX[@]}" "$WORK/x.wav" "$WORK/s8.wav" tremolo 6 40; finish s8 8

# 9: a falling tone.
tone fall 1.2 sine 1200-500 synth 1.2 triangle mix 600-250 -- vol 0.6 fade h 0.05 1.2 0.35
place s9 fall:0; finish s9 9

# 10: a major chord that swells and fades (C E G C).
tone pad 2.6 sine 261.63 synth 2.6 sine mix 329.63 synth 2.6 sine mix 392 synth 2.6 sine mix 523.25 -- \
  vol 0.4 fade h 0.8 2.6 1.4
place s10 pad:0; finish s10 10

# 11: two plucks a fifth apart, like a notification pop.
tone q1 0.8 pluck A5 -- fade q 0.002 0.8 0.4
tone q2 1.0 pluck E6 -- fade q 0.002 1.0 0.5
place s11 q1:0 q2:0.12; finish s11 11

# 12: a soft alarm, two triangle tones alternating three times.
tone hi 0.22 triangle 988 -- vol 0.7 fade h 0.02 0.22 0.05
tone lo 0.22 triangle 784 -- vol 0.7 fade h 0.02 0.22 0.05
place s12 hi:0 lo:0.3 hi:0.6 lo:0.9 hi:1.2 lo:1.5; finish s12 12
