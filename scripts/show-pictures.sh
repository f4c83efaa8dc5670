#!/usr/bin/env bash
# Renders the pictures of docs/show.md: one frame of the built show for each
# section, at the moment that shows what the section is about, into
# docs/show/SECTION.png, exactly as the show plays it at 10 frames a second
# (the renderer runs up the state the frame depends on). Run after a build.
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
  render "$tool" render --show . --time "$time" --fps 10 --size 384x216 -o "$out/$section.png"
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
