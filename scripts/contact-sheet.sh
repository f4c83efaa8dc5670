#!/usr/bin/env bash
# Renders the contact sheet of the README: COLUMNS x ROWS frames spread
# evenly over the built show (each from the middle of its stretch), its time
# written in the corner, tiled by ffmpeg into docs/contact-sheet.jpg.
# Run after a build; needs ffmpeg (scripts/deps.sh installs it).
# Usage: scripts/contact-sheet.sh [COLUMNS ROWS]   (default 4 5)
set -euo pipefail
cd "$(dirname "$0")/.."
columns=${1:-4}
rows=${2:-5}
seconds=140
tool=$PWD/build/tools/velmira-tool
out=$PWD/docs/contact-sheet.jpg
command -v ffmpeg > /dev/null || { echo "contact-sheet: ffmpeg is missing (scripts/deps.sh)" >&2; exit 1; }

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
count=$((columns * rows))
step=$(awk -v s="$seconds" -v n="$count" 'BEGIN { printf "%.6f", s / n }')
from=$(awk -v d="$step" 'BEGIN { printf "%.6f", d / 2 }')
render() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 640x480x24" "$@"; fi
}
# One frame every `step` seconds: the rate is the inverse of the step.
render "$tool" render --show build/velmira-show --size 384x216 \
  --fps "$(awk -v d="$step" 'BEGIN { printf "%.9f", 1 / d }')" \
  --from "$from" --to "$seconds" -o "$frames/f%03d.png"

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
label="drawtext=fontfile=$font:fontsize=18:fontcolor=white:box=1:boxcolor=black@0.6:boxborderw=4"
label+=":x=8:y=8:text='%{eif\\:$from+n*$step\\:d} s'"
ffmpeg -hide_banner -loglevel error -y -framerate 1 -i "$frames/f%03d.png" \
  -vf "$label,tile=${columns}x${rows}:padding=6:margin=6:color=0x202020" \
  -frames:v 1 -q:v 3 "$out"
echo "contact sheet: $out"
