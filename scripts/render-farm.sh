#!/usr/bin/env bash
# Renders the show as N segments at once and puts them together: PNG frames
# numbered as the one-process render numbers them, or one video whose pieces
# are joined without a second encode under the soundtrack.
#
#   render-farm.sh (--jobs J | --ssh HOST,... | --slurm) --segments N
#                  [--tool PATH] RENDER-OPTIONS...
#
# RENDER-OPTIONS are those of `velmira-tool render` (--show, --from, --to,
# --fps, --size and -o PATTERN or --video OUT.mp4). Every segment is exactly
# the frames of the one-process render, so the result is the same.
#   --jobs J     J processes on this machine (GNU parallel), llvmpipe's
#                threads set so they share the cores without crowding them
#   --ssh H,...  the segments on these machines over ssh (GNU parallel's
#                --sshlogin, "J/host" runs J at once there); the program, the
#                show and the current folder must be at the same paths there
#   --slurm      one Slurm job array of N tasks and a job that joins them once
#                all succeeded; the current folder must be one every node sees
#                (sbatch options come from the SBATCH_* environment)
#   --tool PATH  the velmira-tool to run (default: $VELMIRA_TOOL, the build
#                next to this script, or the one on the PATH)
#   --joblog F   GNU parallel's log of each segment's run time (not --slurm)
# Progress goes to stderr: segments done of N and frames a second overall.
set -euo pipefail

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
}
fail() {
  echo "render-farm: $*" >&2
  exit 1
}

mode="" jobs="" hosts="" segments="" tool="${VELMIRA_TOOL:-}" joblog=()
render=() show="" from="" to="" fps=30 video="" pattern=""
while [ $# -gt 0 ]; do
  case "$1" in
    --jobs) mode=local jobs="${2:?--jobs needs a number}"; shift 2 ;;
    --ssh) mode=ssh hosts="${2:?--ssh needs host names}"; shift 2 ;;
    --slurm) mode=slurm; shift ;;
    --segments) segments="${2:?--segments needs a number}"; shift 2 ;;
    --tool) tool="${2:?--tool needs a path}"; shift 2 ;;
    --joblog) joblog=(--joblog "${2:?--joblog needs a file name}"); shift 2 ;;
    -h | --help) usage ;;
    --video) video="${2:?--video needs a file name}"; shift 2 ;;
    --show | --from | --to | --fps | --size | -o)
      [ $# -ge 2 ] || fail "$1 needs a value"
      case "$1" in
        --show) show="$2" ;; --from) from="$2" ;; --to) to="$2" ;; --fps) fps="$2" ;;
        -o) pattern="$2" ;;
      esac
      render+=("$1" "$2")
      shift 2 ;;
    *) fail "unknown option $1 (see --help)" ;;
  esac
done
[ -n "$mode" ] || fail "choose --jobs J, --ssh HOST,... or --slurm"
[[ "$segments" =~ ^[1-9][0-9]*$ ]] || fail "--segments wants a whole number above 0"
[ -n "$video" ] || [ -n "$pattern" ] || fail "give -o PATTERN or --video OUT.mp4"
if [ "$mode" = local ]; then
  [[ "$jobs" =~ ^[1-9][0-9]*$ ]] || fail "--jobs wants a whole number above 0"
fi

here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "$tool" ]; then
  if [ -x "$here/../build/tools/velmira-tool" ]; then
    tool="$here/../build/tools/velmira-tool"
  else
    tool="$(command -v velmira-tool)" || fail "no velmira-tool found; give --tool PATH"
  fi
fi
tool="$(cd "$(dirname "$tool")" && pwd)/$(basename "$tool")"
[ -x "$tool" ] || fail "$tool is not a program"
# The segments run elsewhere too: the show is named by its absolute path.
if [ -n "$show" ]; then
  show="$(cd "$show" && pwd)" || fail "no show directory $show"
  for ((i = 0; i < ${#render[@]}; i += 2)); do
    [ "${render[i]}" = --show ] && render[i + 1]="$show"
  done
fi
[ "$mode" = slurm ] || command -v parallel > /dev/null ||
  fail "GNU parallel is missing (Debian: apt-get install parallel)"

# Frames of the range, for the progress figures only.
total_frames="$(awk -v a="${from:-0}" -v b="${to:-140}" -v f="$fps" 'BEGIN {
  first = int(a * f); if (first < a * f) first++; end = int(b * f); if (end < b * f) end++;
  print (end > first ? end - first : 0) }')"

work="$(pwd)/.render-farm.$$"
pieces=()
segment_output=()
if [ -n "$video" ]; then
  mkdir -p "$(dirname "$video")" || fail "cannot make the folder of $video"
  video="$(cd "$(dirname "$video")" && pwd)/$(basename "$video")"
  mkdir -p "$work"
  segment_output=(--video "$work/piece-__K__.mp4")
  for ((k = 1; k <= segments; ++k)); do pieces+=("$work/piece-$k.mp4"); done
fi
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

started=$(date +%s.%N)
progress() {  # segments done
  awk -v done="$1" -v n="$segments" -v frames="$total_frames" -v t0="$started" \
    -v now="$(date +%s.%N)" 'BEGIN {
      s = now - t0; rate = s > 0 ? frames * done / n / s : 0;
      printf "render-farm: %d of %d segments done, %.1f frames/s overall\n", done, n, rate }' >&2
}

# One segment as a shell command in which `number` stands for the segment's
# number. Without a display each gets its own virtual one, numbered apart so
# that they never race for the same.
segment_command() {  # number
  local command=("$tool" render "${render[@]}" "${segment_output[@]}" --segment "__K__/$segments")
  local quoted
  quoted="$(printf '%q ' "${command[@]}")"
  quoted="${quoted//__K__/$1}"
  echo "if [ -z \"\${DISPLAY:-}\" ] && command -v xvfb-run >/dev/null; then" \
    "xvfb-run -a -n \$((200 + $1)) $quoted; else $quoted; fi"
}

run_parallel() {  # parallel options...
  local done=0 line status
  set +e
  parallel --halt now,fail=1 --line-buffer "${joblog[@]}" "$@" "$(segment_command '{}') && echo 'segment done'" \
    ::: $(seq 1 "$segments") |
    while IFS= read -r line; do
      [ "$line" = "segment done" ] || { echo "$line"; continue; }
      done=$((done + 1))
      progress "$done"
    done
  status=${PIPESTATUS[0]}
  set -e
  [ "$status" -eq 0 ] || fail "a segment failed (parallel status $status)"
}

join_command() {
  local command=("$tool" join --fps "$fps" --video "$video")
  [ -n "$show" ] && command+=(--show "$show")
  [ -n "$from" ] && command+=(--from "$from" --to "$to")
  printf '%q ' "${command[@]}" "${pieces[@]}"
}

# The segments as one job array, and a job that runs once every task
# succeeded: it joins the pieces (or only marks the PNG frames finished).
run_slurm() {
  command -v sbatch > /dev/null || fail "sbatch is missing (Debian: apt-get install slurm-wlm)"
  mkdir -p "$work/logs"
  local cd_here array final seen=0 remaining done
  cd_here="cd $(printf '%q' "$(pwd)")"
  printf '#!/bin/bash\nset -e\n%s\n%s\n' "$cd_here" \
    "$(segment_command '$SLURM_ARRAY_TASK_ID')" > "$work/segment.sh"
  local finish="true"
  [ -n "$video" ] && finish="$(join_command)"
  printf '#!/bin/bash\nset -e\n%s\n%s\ntouch %q\n' "$cd_here" "$finish" "$work/finished" \
    > "$work/finish.sh"
  array="$(sbatch --parsable --job-name=velmira-render --array="1-$segments" \
    --output="$work/logs/segment-%a.log" "$work/segment.sh")" || fail "sbatch refused the array"
  array="${array%%;*}"
  trap 'scancel "$array" 2>/dev/null; cleanup' EXIT
  final="$(sbatch --parsable --job-name=velmira-finish --dependency="afterok:$array" \
    --kill-on-invalid-dep=yes --output="$work/logs/finish.log" "$work/finish.sh")" ||
    fail "sbatch refused the finishing job"
  final="${final%%;*}"
  while squeue -h -j "$final" -t PD,CF,R,CG 2> /dev/null | grep -q .; do
    remaining="$(squeue -h -r -j "$array" -t PD,CF,R,CG 2> /dev/null | wc -l)"
    done=$((segments - remaining))
    if [ "$done" -ne "$seen" ]; then
      seen=$done
      progress "$done"
    fi
    sleep 2
  done
  if [ ! -e "$work/finished" ]; then
    tail -n 5 "$work"/logs/*.log >&2 2> /dev/null || true
    fail "the Slurm jobs did not all succeed"
  fi
  [ "$seen" -eq "$segments" ] || progress "$segments"
  trap cleanup EXIT
}

case "$mode" in
  local)
    cores="$(nproc)"
    threads=$((cores / jobs))
    [ "$threads" -ge 1 ] || threads=1
    export LP_NUM_THREADS="$threads"
    run_parallel -j "$jobs" ;;
  ssh)
    run_parallel -j 1 --sshlogin "$hosts" --workdir "$(pwd)" ;;
  slurm)
    run_slurm ;;
esac

if [ -n "$video" ] && [ "$mode" != slurm ]; then
  eval "$(join_command)" || fail "joining the pieces failed"
fi
echo "render-farm: done in $(awk -v t0="$started" -v now="$(date +%s.%N)" \
  'BEGIN { printf "%.1f", now - t0 }') s" >&2
