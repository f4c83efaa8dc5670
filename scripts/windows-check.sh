#!/usr/bin/env bash
# Runs the Windows programs of build-windows/velmira-windows.zip under Wine
# (wine64, on a virtual display with Mesa) against the Linux build in build/:
# lint and eval must print the same and end with the same status, rendered
# frames must have the same pixels, and velmira.exe must play the show's last
# seconds and quit by itself. The results land in build-windows/check/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
checks=$root/build-windows/check
linux_tool=$root/build/tools/velmira-tool
zip_file=$root/build-windows/velmira-windows.zip

scripts/deps.sh --wine
if [ -z "${DISPLAY:-}" ]; then # the Linux and the Windows runs share one display
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# Debian's wine64 package puts its loader here; some releases add a wine64
# command on the PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
for needed in "$wine" "$linux_tool" "$zip_file"; do
  [ -e "$needed" ] || { echo "The Windows check needs $needed (scripts/deps.sh --wine, scripts/windows.sh)" >&2; exit 1; }
done

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
# Each program runs in the unpacked show folder; Wine's own output goes to its log.
run_windows() { (cd "$checks/velmira-windows" && timeout 300 "$wine" "$@"); }
run_linux_tool() { (cd "$checks/velmira-windows" && timeout 300 "$linux_tool" "$@"); }
# Windows writes text with CR LF line ends; the content must match otherwise.
same_text() { cmp -s <(tr -d '\r' <"$1") <(tr -d '\r' <"$2"); }

compare_tool_output() { # name, then the tool's arguments
  local name=$1 linux_status=0 windows_status=0 result=${checks#"$root"/}/$1
  shift
  run_linux_tool "$@" >"$checks/$name.linux.out" 2>"$checks/$name.linux.err" || linux_status=$?
  run_windows ./velmira-tool.exe "$@" >"$checks/$name.windows.out" 2>"$checks/$name.windows.err" ||
    windows_status=$?
  if [ "$linux_status" != "$windows_status" ]; then
    fail "$name: status $windows_status on Windows, $linux_status on Linux (see $result.*)"
  elif ! same_text "$checks/$name.linux.out" "$checks/$name.windows.out"; then
    fail "$name: the output differs (diff $result.linux.out $result.windows.out)"
  elif ! same_text "$checks/$name.linux.err" "$checks/$name.windows.err"; then
    fail "$name: the messages differ (diff $result.linux.err $result.windows.err)"
  else
    pass "$name: same output and status ($linux_status), $(wc -l <"$checks/$name.linux.out") lines"
  fi
}

# One frame inside each mesh effect and two of the layered pictures, small
# enough to keep Wine's software GL quick. Both systems' PNG files are decoded
# by the Linux tool into the same encoding, so equal files mean equal pixels.
compare_frames() {
  local time frame windows_frame different=()
  mkdir -p "$checks/frames"
  for time in 8 20 28 74 92 116 130; do
    frame=$checks/frames/t$time
    windows_frame='Z:'"${frame//\//\\}"'.windows.png'
    if ! run_linux_tool render --time "$time" --size 480x270 -o "$frame.linux.png" 2>>"$checks/render.err" ||
       ! run_windows ./velmira-tool.exe render --time "$time" --size 480x270 -o "$windows_frame" 2>>"$checks/render.err" ||
       ! "$linux_tool" image "$frame.linux.png" "$frame.linux.pixels.png" ||
       ! "$linux_tool" image "$frame.windows.png" "$frame.windows.pixels.png"; then
      fail "render at $time s: no frame (see ${checks#"$root"/}/render.err)"
    elif ! cmp -s "$frame.linux.pixels.png" "$frame.windows.pixels.png"; then
      different+=("$time s")
    fi
  done
  if [ ${#different[@]} -eq 0 ]; then
    pass "render: the 7 frames have the same pixels on both systems"
  else
    fail "render: the pixels differ at ${different[*]} (see ${checks#"$root"/}/frames)"
  fi
}

# The player starts near the end of the show and must end by itself. The setup
# dialog would wait for a person's click, so the check turns it off.
check_player() {
  local status=0 started
  cp -r "$checks/velmira-windows" "$checks/player"
  sed -e 's/^demoStartTime .*/demoStartTime 137.0/' -e 's/^dialog .*/dialog 0/' \
    "$root/build/velmira-show/config.txt" >"$checks/player/config.txt"
  started=$(date +%s)
  (cd "$checks/player" && timeout 120 "$wine" ./velmira.exe -window) \
    >"$checks/player.out" 2>"$checks/player.err" || status=$?
  if [ "$status" -eq 0 ]; then
    pass "player: played from 137 s to the end and quit with status 0 ($(($(date +%s) - started)) s)"
  else
    fail "player: status $status (124: still running after 120 s; see ${checks#"$root"/}/player.err)"
  fi
}

rm -rf "$checks"
mkdir -p "$checks"
cmake -E chdir "$checks" cmake -E tar xf "$zip_file"
export WINEPREFIX=$root/build-windows/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init >/dev/null 2>&1
echo "== Windows parity check ($("$wine" --version 2>/dev/null))"
# Wine's helper processes start with the first program and outlive it; they
# keep the standard streams they were started with, so they get their own.
"$wine" cmd /c exit >"$checks/wine.log" 2>&1
compare_tool_output lint lint
[ -s "$checks/lint.linux.err" ] && fail "lint: the packed show is incomplete or broken (see ${checks#"$root"/}/lint.linux.err)"
compare_tool_output eval eval fx/picture.txt --start 0 --end 32 \
  --params 0,6,2,0.01,0,0,1,1,1 --in quarno/pictures/backdrop.jpg --times 0,8,16.5,31
compare_tool_output eval-curves eval fx/curvex.txt --start 68 --end 80 --times 70,75.5,79.9
compare_frames
check_player
"$(dirname "$(readlink -f "$wine")")/wineserver" -k 2>/dev/null || true
if [ "$failures" -ne 0 ]; then
  echo "Windows parity check: $failures failed"
  exit 1
fi
echo "Windows parity check: all passed"
