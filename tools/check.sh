#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the formatting of every C++ file, then builds everything and runs every test: the plain
# build with warnings as errors, the desktop files' validators and the Debian package's
# install-and-remove check, the same tests under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, the Windows build and all its tests under Wine, its installer
# installed, used and uninstalled under Wine, and a short fuzzing pass that also replays every
# input that ever crashed a fuzzer. Each stage's time is printed after it. Failing tests do not
# stop the check: every stage still runs, the totals count them, and the check fails at the end
# naming the stages whose tests failed. Any other failure stops it at once, naming its stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

passed=0
failed=0
skipped=0
# The test stages whose tests failed: the others still run, and the check fails at the end.
failed_stages=()
stage="installing packages"
stage_start=$SECONDS
log=$(mktemp)
finish() {
  local status=$?
  rm -f "$log"
  if ((status != 0)); then
    echo "check: $passed passed, $failed failed, $skipped skipped"
    if [[ -n $stage ]]; then echo "check: stage \"$stage\" failed" >&2; fi
    if ((${#failed_stages[@]} > 0)); then
      printf 'check: tests failed in stage "%s"\n' "${failed_stages[@]}" >&2
    fi
  fi
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

# Commands that run the tests; the Windows stage runs them in one Wine session on a virtual X
# display.
test_runner=()

# Builds and runs every test, adding the counts of ctest's summary to the totals. Failing tests
# mark the stage and let the check go on; a build that fails, or a run without a summary, stops it.
build_and_test() {
  local dir=$1
  shift
  cmake -S "$top" -B "$dir" -G Ninja -DQUILLMERE_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  local status=0
  "${test_runner[@]}" ctest --test-dir "$dir" -j "$jobs" --output-on-failure --no-tests=error |
    tee "$log" || status=$?
  local summary
  summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [[ -z $summary ]]; then
    echo "check: ctest ended (status $status) without a summary" >&2
    return 1
  fi
  local total failures skips
  failures=${summary%% *}
  total=${summary##* }
  # ctest counts a skipped test among the passed ones.
  skips=$(grep -c '(Skipped)' "$log" || true)
  passed=$((passed + total - failures - skips))
  failed=$((failed + failures))
  skipped=$((skipped + skips))
  if ((failures > 0 || status != 0)); then failed_stages+=("$stage"); fi
}

begin "formatting"
"$top/tools/format.sh" --check

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

begin "Windows installer under Wine: install, use, uninstall"
xvfb-run -a -s '-screen 0 1024x768x24' "$top/tools/windows/installer-check.sh" "$top/build-windows"

begin "fuzzing, briefly"
"$top/fuzz/run-fuzzers.sh" 5 "$jobs"
echo "   (took $((SECONDS - stage_start)) s)"

if ((${#failed_stages[@]} > 0)); then
  stage=""  # every stage ran; only the tests of those listed failed
  exit 1
fi
echo "check: $passed passed, $failed failed, $skipped skipped"
