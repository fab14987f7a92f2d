#!/usr/bin/env bash
# Checks the formatting of every C++ file, then builds everything and runs every test: the plain
# build with warnings as errors, the desktop files' validators and the Debian package's
# install-and-remove check, the same tests under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, the Windows registry tests under Wine, and a short fuzzing pass that
# also replays every input that ever crashed a fuzzer. A failure names the stage it stopped.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

passed=0
skipped=0
stage="installing packages"
log=$(mktemp)
finish() {
  local status=$?
  rm -f "$log"
  ((status == 0)) || echo "check: stage \"$stage\" failed" >&2
  return "$status"
}
trap finish EXIT
"$top/tools/install-deps.sh" test

begin() {
  stage=$1
  echo "== $stage"
}

# Adds the count of the run just logged to the total; a failing run has already stopped us.
count_passed() {
  local ran
  ran=$(grep -Eo "$1" "$log" | grep -Eo '[0-9]+' | tail -n 1)
  passed=$((passed + ${ran:-0}))
}

build_and_test() {
  local dir=$1
  shift
  cmake -S "$top" -B "$dir" -G Ninja -DQUILLMERE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure | tee "$log"
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

begin "Windows registry tests under Wine"
"$top/tests/wine/run-windows-tests.sh" "$top/build-windows" | tee "$log"
count_passed 'PASSED  \] [0-9]+ test'

if [[ -x "$top/fuzz/run-fuzzers.sh" ]]; then
  begin "fuzzing, briefly"
  "$top/fuzz/run-fuzzers.sh" 5 "$jobs"
fi

echo "check: $passed passed, 0 failed, $skipped skipped"
