#!/usr/bin/env bash
# Checks the formatting of every C++ file, then builds everything and runs every test: the plain
# build with warnings as errors, the desktop files' validators and the Debian package's
# install-and-remove check, the same tests under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, the Windows build and all its tests under Wine, and a short fuzzing
# pass that also replays every input that ever crashed a fuzzer. A failure names the stage it
# stopped; each stage's time is printed after it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

passed=0
skipped=0
stage="installing packages"
stage_start=$SECONDS
log=$(mktemp)
finish() {
  local status=$?
  rm -f "$log"
  ((status == 0)) || echo "check: stage \"$stage\" failed" >&2
  return "$status"
}
trap finish EXIT
"$top/tools/install-deps.sh" test

# Each stage's heading, with the time the one before it took.
begin() {
  echo "   (took $((SECONDS - stage_start)) s)"
  stage=$1
  stage_start=$SECONDS
  echo "== $stage"
}

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

begin "formatting"
git -C "$top" ls-files -z -- '*.cpp' '*.h' | (cd "$top" && xargs -0 clang-format --dry-run --Werror)

begin "tests"
build_and_test "$top/build-check" -DCMAKE_BUILD_TYPE=RelWithDebInfo

begin "desktop entry, AppStream data and MIME type"
"$top/tools/desktop-check.sh" "$top/build-check"

begin "Debian package: build, install, use, remove"
"$top/tools/package-check.sh" "$top/build-check"

begin "tests under sanitizers"
# Leaks are checked too: the suite leaks nothing, in our code or in Qt's, so nothing is suppressed.
UBSAN_OPTIONS=print_stacktrace=1 \
  build_and_test "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON \
  -DQUILLMERE_BENCH=OFF

begin "Qt for Windows"
windows_qt=$("$top/tools/windows/build-qt.sh")

begin "Windows build, every test under Wine"
test_runner=(xvfb-run -a -s '-screen 0 1024x768x24' "$top/tools/windows/wine-session.sh"
             "$top/build-windows/wine-prefix")
build_and_test "$top/build-windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$windows_qt" \
  -DQT_HOST_PATH=/usr -DQUILLMERE_BENCH=OFF
test_runner=()

if [[ -x "$top/fuzz/run-fuzzers.sh" ]]; then
  begin "fuzzing, briefly"
  "$top/fuzz/run-fuzzers.sh" 5 "$jobs"
fi
echo "   (took $((SECONDS - stage_start)) s)"

echo "check: $passed passed, 0 failed, $skipped skipped"
