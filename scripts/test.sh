#!/usr/bin/env bash
# Builds everything and runs every test: the unit and drawing tests, the
# same tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# a short run of every fuzz harness.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
fuzz_seconds=${VELMIRA_FUZZ_SECONDS:-5}

run_with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; fi
}

echo "== build"
scripts/configure.sh
cmake --build build -j"$jobs"

echo "== build with sanitizers and fuzz harnesses (clang)"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELMIRA_WERROR=ON -DVELMIRA_SANITIZE=ON -DVELMIRA_FUZZ=ON -DVELMIRA_BENCH=OFF
cmake --build build-sanitize -j"$jobs"

echo "== fuzz (${fuzz_seconds}s each)"
for harness in build-sanitize/fuzz/fuzz_*; do
  [ -x "$harness" ] || continue
  echo "-- $(basename "$harness")"
  "$harness" -max_total_time="$fuzz_seconds" -print_final_stats=0 2>&1 | tail -n 1
done

echo "== unit tests with sanitizers"
# The tools the tests start must print nothing but their own messages.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
# llvmpipe's own drawing threads can still be running when the leak checker
# stops the process to scan it, which crashes the checker; drawing on the
# test's thread alone keeps the scan reliable.
LP_NUM_THREADS=0 run_with_display ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== tests"
run_with_display ctest --test-dir build --output-on-failure -j"$jobs"

# The Windows programs are checked against this build under Wine only where the
# cross build (scripts/windows.sh) and Debian's wine64 are installed.
if [ -d build-windows/deps/prefix ] && { command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ]; }; then
  echo "== Windows build and parity check under Wine"
  scripts/windows.sh
  scripts/windows.sh --check
else
  echo "== Windows parity check skipped: it needs wine64 and a cross build (scripts/windows.sh)"
fi
