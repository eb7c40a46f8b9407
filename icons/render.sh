#!/usr/bin/env bash
# Renders the PNG sizes of Kestrin's icon from kestrin.svg (needs rsvg-convert, librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
rsvg-convert -w 256 -h 256 kestrin.svg -o kestrin.png
for s in 128 64; do rsvg-convert -w $s -h $s kestrin.svg -o kestrin-$s.png; done
