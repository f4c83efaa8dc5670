#!/usr/bin/env bash
# The whole built show at 640x360, 30 frames a second, as PNG frames on this
# machine: one process with llvmpipe's default threads against
# render-farm.sh with 2 processes of one llvmpipe thread each (2 segments).
# Prints both wall times and each segment's, and checks that the two sets of
# frames are identical. Takes several minutes; run it on a quiet machine.
#   bench/render-farm-bench.sh [SIZE] [FPS]
set -euo pipefail
cd "$(dirname "$0")/.."
size="${1:-640x360}" fps="${2:-30}"
tool="$(pwd)/build/tools/velmira-tool"
out="$(mktemp -d /tmp/velmira-farm-bench.XXXXXX)"
trap 'rm -rf "$out"' EXIT
range=(--show "$(pwd)/build/velmira-show" --size "$size" --from 0 --to 140 --fps "$fps")
display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a)

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

start=$(now)
"${display[@]}" "$tool" render "${range[@]}" -o "$out/one/f%05d.png"
one=$(seconds "$start" "$(now)")
start=$(now)
"${display[@]}" scripts/render-farm.sh --jobs 2 --segments 2 --tool "$tool" \
  --joblog "$out/joblog" "${range[@]}" -o "$out/farm/f%05d.png" 2> /dev/null
farm=$(seconds "$start" "$(now)")
frames=$(ls "$out/one" | wc -l)
diff -r -q "$out/one" "$out/farm" > /dev/null && same=identical || same=DIFFERENT

echo "whole show, $size, $fps frames/s: $frames frames"
echo "  one process, default llvmpipe threads: $one s ($(awk -v f="$frames" -v s="$one" 'BEGIN { printf "%.2f", f / s }') frames/s)"
echo "  render-farm --jobs 2 --segments 2:     $farm s ($(awk -v f="$frames" -v s="$farm" 'BEGIN { printf "%.2f", f / s }') frames/s)"
awk 'NR > 1 { printf "    segment %s: %.1f s\n", $1, $4 }' "$out/joblog"
echo "  the frames are $same"
