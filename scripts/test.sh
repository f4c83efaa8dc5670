#!/usr/bin/env bash
# Builds everything and runs every test: the unit and drawing tests, the
# programs and the installed show, on a virtual display when there is none.
#
#   scripts/test.sh          the plain build (the default preset) and the suite
#   scripts/test.sh --full   the same, then the suite again built with clang under
#                            AddressSanitizer and UndefinedBehaviorSanitizer (the
#                            sanitize preset), a short run of every fuzz harness,
#                            and the Windows parity check where a Windows build
#                            (scripts/windows.sh) and wine64 are present
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  "") full=0 ;;
  --full) full=1 ;;
  *) echo "usage: scripts/test.sh [--full]" >&2; exit 2 ;;
esac
scripts/deps.sh
jobs=$(nproc)
fuzz_seconds=${VELMIRA_FUZZ_SECONDS:-5}

run_with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; fi
}

# Each suite's ctest summary is repeated at the end, where a log's tail shows it.
summaries=()
print_summaries() {
  local summary
  [ ${#summaries[@]} -eq 0 ] && return
  echo "== summary"
  for summary in "${summaries[@]}"; do
    grep -h -A30 "tests passed" "$summary" | sed "s|^|$(basename "$(dirname "$summary")"): |" || true
  done
}
trap print_summaries EXIT

run_suite() { # build folder, extra ctest arguments
  local folder=$1
  shift
  summaries+=("$folder/ctest-summary.log")
  run_with_display ctest --test-dir "$folder" --output-on-failure -j"$jobs" "$@" |
    tee "$folder/ctest-summary.log"
}

echo "== build"
scripts/configure.sh
cmake --build --preset default -j"$jobs"

echo "== tests"
run_suite build
[ "$full" -eq 1 ] || exit 0

echo "== build with sanitizers and fuzz harnesses (clang)"
cmake --preset sanitize
cmake --build --preset sanitize -j"$jobs"

echo "== fuzz (${fuzz_seconds}s each)"
for harness in build-sanitize/fuzz/fuzz_*; do
  [ -x "$harness" ] || continue
  echo "-- $(basename "$harness")"
  "$harness" -max_total_time="$fuzz_seconds" -print_final_stats=0 2>&1 | tail -n 1
done

echo "== tests with sanitizers"
# The tools the tests start must print nothing but their own messages.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
# Mesa's own threads (llvmpipe's drawing threads, the shader cache's writer)
# can still be running when the leak checker stops the process to scan it,
# which now and then crashes the checker after the test itself passed.
# Drawing on the test's thread without a shader cache keeps the scan
# reliable; a test whose checker still crashes is run once more (a real
# failure fails both times, and the log shows the first).
LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true run_suite build-sanitize --repeat until-pass:2

if [ -d build-windows/deps/prefix ] && { command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ]; }; then
  echo "== Windows build and parity check under Wine"
  scripts/windows.sh
  scripts/windows-check.sh
else
  echo "== Windows parity check skipped: it needs wine64 and a cross build (scripts/windows.sh)"
fi
