#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang, replays the kept crash inputs, then fuzzes each target.
#
#   fuzz/run-fuzzers.sh [SECONDS_PER_TARGET] [JOBS]
#
# SECONDS_PER_TARGET defaults to 10 and JOBS (targets fuzzed at once) to 2. The build goes to
# build-fuzz/ beside the sources, or to $FUZZ_BUILD_DIR; the generated seeds, the corpus the runs
# grow, logs and any crash inputs stay in it. A crash input found here belongs in
# fuzz/regressions/<target>/ once understood, so that every later run replays it.
# Needs only cmake, Qt 6 and clang with its runtime libraries (Debian: clang libclang-rt-14-dev).
set -euo pipefail

SECONDS_PER_TARGET=${1:-10}
JOBS=${2:-2}
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${FUZZ_BUILD_DIR:-$SOURCE_DIR/build-fuzz}
CXX_COMPILER=${FUZZ_CXX:-clang++}
# Every target fuzz/CMakeLists.txt lists.
mapfile -t TARGETS < <(sed -n 's/^quill_fuzz_target(\([A-Za-z0-9_]*\).*/\1/p' \
  "$SOURCE_DIR/fuzz/CMakeLists.txt")
if [[ ${#TARGETS[@]} -eq 0 ]]; then echo "no quill_fuzz_target in fuzz/CMakeLists.txt" >&2; exit 2; fi

case $SECONDS_PER_TARGET in '' | *[!0-9]*) echo "SECONDS_PER_TARGET must be a number" >&2; exit 2 ;; esac
case $JOBS in '' | *[!0-9]* | 0) echo "JOBS must be a positive number" >&2; exit 2 ;; esac

SANITIZE="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
GENERATOR=()
if command -v ninja >/dev/null 2>&1; then GENERATOR=(-G Ninja); fi
if [[ -f $BUILD_DIR/CMakeCache.txt ]]; then GENERATOR=(); fi

# Two runs sharing a build folder would overwrite each other's logs and relink the targets under
# each other's feet: the second waits for the first.
mkdir -p "$BUILD_DIR"
exec 9>"$BUILD_DIR/.run-fuzzers.lock"
if ! flock -n 9; then
  echo "== another run-fuzzers.sh is using $BUILD_DIR; waiting for it"
  flock 9
fi

echo "== configuring and building the fuzz targets in $BUILD_DIR"
cmake -S "$SOURCE_DIR" -B "$BUILD_DIR" "${GENERATOR[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$CXX_COMPILER" \
  -DCMAKE_CXX_FLAGS="$SANITIZE" \
  -DQUILLMERE_FUZZ=ON -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF -DQUILLMERE_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" --target fuzzers -j "$JOBS"

BIN_DIR=$BUILD_DIR/fuzz
SEED_DIR=$BUILD_DIR/fuzz-seeds
CORPUS_DIR=$BUILD_DIR/fuzz-corpus
ARTIFACT_DIR=$BUILD_DIR/fuzz-crashes
LOG_DIR=$BUILD_DIR/fuzz-logs
rm -rf "$SEED_DIR"
mkdir -p "$SEED_DIR" "$CORPUS_DIR" "$ARTIFACT_DIR" "$LOG_DIR"
"$BIN_DIR/make_corpus" "$SEED_DIR"

# Qt must not look for a display, and a leak report is a failure like any other.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
COMMON_OPTIONS=(-dict="$SOURCE_DIR/fuzz/dict" -timeout=20 -rss_limit_mb=2048)

failed=0

echo "== replaying fuzz/regressions"
for target in "${TARGETS[@]}"; do
  inputs=()
  if [[ -d $SOURCE_DIR/fuzz/regressions/$target ]]; then
    while IFS= read -r -d '' file; do inputs+=("$file"); done < <(
      find "$SOURCE_DIR/fuzz/regressions/$target" -type f ! -name '.*' ! -name '*.md' -print0 | sort -z)
  fi
  # The seeds are replayed too: a seed that crashes would otherwise only show as a fuzzing crash.
  while IFS= read -r -d '' file; do inputs+=("$file"); done < <(
    find "$SEED_DIR/$target" -type f -print0 | sort -z)
  if "$BIN_DIR/$target" "${COMMON_OPTIONS[@]}" "${inputs[@]}" >"$LOG_DIR/$target.replay.log" 2>&1; then
    echo "$target: ${#inputs[@]} inputs replayed, no crash"
  else
    echo "$target: CRASHED while replaying; see $LOG_DIR/$target.replay.log"
    grep -a -E "ERROR: |invariant broken|Running: |runtime error" "$LOG_DIR/$target.replay.log" | tail -n 5 || true
    failed=1
  fi
done

if [[ $SECONDS_PER_TARGET -eq 0 ]]; then
  if [[ $failed -ne 0 ]]; then echo "== FAILED"; exit 1; fi
  echo "== replay done; fuzzing skipped (0 seconds per target)"
  exit 0
fi

echo "== fuzzing each target for ${SECONDS_PER_TARGET}s, $JOBS at a time"
fuzz_one() {
  local target=$1
  mkdir -p "$CORPUS_DIR/$target" "$ARTIFACT_DIR/$target"
  local status=0
  "$BIN_DIR/$target" "${COMMON_OPTIONS[@]}" -max_total_time="$SECONDS_PER_TARGET" \
    -print_final_stats=1 -artifact_prefix="$ARTIFACT_DIR/$target/" \
    "$CORPUS_DIR/$target" "$SEED_DIR/$target" >"$LOG_DIR/$target.log" 2>&1 || status=$?
  echo "$status" >"$LOG_DIR/$target.status"
}
running=0
for target in "${TARGETS[@]}"; do
  fuzz_one "$target" &
  running=$((running + 1))
  if [[ $running -ge $JOBS ]]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

for target in "${TARGETS[@]}"; do
  log=$LOG_DIR/$target.log
  status=$(cat "$LOG_DIR/$target.status" 2>/dev/null || echo "?")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  last=$(grep -a -E '^#[0-9]+' "$log" | tail -n 1 || true)
  # A run that crashed prints no final figures: its last status line says how far it got.
  [[ -n $runs ]] || runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$last")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corpus=$(sed -n 's/.* corp: \([0-9]*\/[0-9A-Za-z]*\).*/\1/p' <<<"$last")
  crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
  printf '%-20s executions: %-10s cov: %-6s ft: %-7s corpus: %-12s' \
    "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${corpus:-?}"
  if [[ -n $crash || $status != 0 ]]; then
    echo " CRASH (exit $status) ${crash:-see $log}"
    grep -a -E "ERROR: |invariant broken|runtime error" "$log" | head -n 3 || true
    failed=1
  else
    echo " ok"
  fi
done

if [[ $failed -ne 0 ]]; then echo "== FAILED"; exit 1; fi
echo "== all targets ran without a crash"
