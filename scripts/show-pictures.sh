#!/usr/bin/env bash
# Renders the pictures of docs/show.md: one frame of the built show for each
# section, at the moment that shows what the section is about, into
# docs/show/SECTION.png. The second before each is rendered too, because the
# kinds that follow the music or simulate need a run-up. Run after a build.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$PWD/build/tools/velmira-tool
out=$PWD/docs/show
mkdir -p "$out"
cd build/velmira-show

render() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 640x480x24" "$@"; fi
}

while read -r section time; do
  echo "$section at $time s"
  frames=$(mktemp -d)
  render "$tool" render --show . --from "$(awk -v t="$time" 'BEGIN { print t - 1 }')" \
    --to "$time" --fps 10 --size 384x216 -o "$frames/f%02d.png"
  cp "$frames/f09.png" "$out/$section.png"
  rm -rf "$frames"
done <<'SECTIONS'
intro 13
build 22
build-motion 27
groove 38
vortex 56
break 74
main 92
dawn 102
projectors 109
second-break 116
finale 130
end 137
SECTIONS
