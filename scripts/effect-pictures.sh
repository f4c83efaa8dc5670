#!/usr/bin/env bash
# Renders the small pictures of docs/effects.md: for every effect kind on the
# show's timeline, one frame of the built show in the middle of the kind's
# first window, into docs/effects/KIND.png. The second before it is rendered
# too, because the kinds that follow the music or simulate need a run-up.
# Run after a build.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$PWD/build/tools/velmira-tool
out=$PWD/docs/effects
mkdir -p "$out"
cd build/velmira-show

render() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 640x480x24" "$@"; fi
}

# lint lists the effects as: <index> <kind> <definition> <start> <end>
render "$tool" lint 2>/dev/null |
  awk 'NF == 5 && $5 > $4 && !seen[$2]++ { print $2, ($4 + $5) / 2 }' |
  while read -r kind time; do
    echo "$kind at $time s"
    frames=$(mktemp -d)
    render "$tool" render --show . --from "$(awk -v t="$time" 'BEGIN { print t - 1 }')" \
      --to "$time" --fps 15 --size 256x144 -o "$frames/f%02d.png"
    cp "$frames/f14.png" "$out/$kind.png"
    rm -rf "$frames"
  done
