#!/usr/bin/env bash
# Renders the small pictures of docs/effects.md: for every effect kind on the
# show's timeline, one frame of the built show in the middle of the kind's
# first window, into docs/effects/KIND.png, exactly as the show plays it at 15
# frames a second (the renderer runs up the state the frame depends on). Run
# after a build.
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
    render "$tool" render --show . --time "$time" --fps 15 --size 256x144 -o "$out/$kind.png"
  done
