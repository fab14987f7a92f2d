#!/usr/bin/env bash
# Builds everything and runs every test: the plain build with warnings as errors, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows build and all its tests under
# Wine, and a short fuzzing pass that also replays every input that ever crashed a fuzzer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

"$top/tools/install-deps.sh" test

passed=0
skipped=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Adds the count of the run just logged to the total; a failing run has already stopped us.
count_passed() {
  local ran
  ran=$(grep -Eo "$1" "$log" | grep -Eo '[0-9]+' | tail -n 1)
  passed=$((passed + ${ran:-0}))
}

# Commands that run the tests; the Windows stage runs them in one Wine session on a virtual X
# display.
test_runner=()

build_and_test() {
  local dir=$1
  shift
  cmake -S "$top" -B "$dir" -G Ninja -DQUILLMERE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  "${test_runner[@]}" ctest --test-dir "$dir" -j "$jobs" --output-on-failure | tee "$log"
  count_passed 'tests failed out of [0-9]+'
  # ctest counts a skipped test among the passed ones.
  local skips
  skips=$(grep -c '(Skipped)' "$log" || true)
  passed=$((passed - skips))
  skipped=$((skipped + skips))
}

# Each stage's heading, with the time the one before it took.
stage_start=$SECONDS
stage() {
  ((SECONDS > stage_start)) && echo "   (took $((SECONDS - stage_start)) s)"
  stage_start=$SECONDS
  echo "== $1"
}

stage tests
build_and_test "$top/build-check" -DCMAKE_BUILD_TYPE=RelWithDebInfo

stage "tests under sanitizers"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  build_and_test "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON \
  -DQUILLMERE_BENCH=OFF

stage "Qt for Windows"
windows_qt=$("$top/tools/windows/build-qt.sh")

stage "Windows build, every test under Wine"
test_runner=(xvfb-run -a -s '-screen 0 1024x768x24' "$top/tools/windows/wine-session.sh"
             "$top/build-windows/wine-prefix")
build_and_test "$top/build-windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$windows_qt" \
  -DQT_HOST_PATH=/usr -DQUILLMERE_BENCH=OFF
test_runner=()

if [[ -x "$top/fuzz/run-fuzzers.sh" ]]; then
  stage "fuzzing, briefly"
  "$top/fuzz/run-fuzzers.sh" 5 "$jobs"
fi

stage done
echo "check: $passed passed, 0 failed, $skipped skipped"
