#!/usr/bin/env bash
# Cross-compiles the platform layer and its Windows tests with MinGW-w64 and runs the tests under
# Wine in a throw-away prefix, without a display.
#   usage: tests/wine/run-windows-tests.sh [build-dir]
# Needs (Debian): cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build-windows}"

for tool in cmake x86_64-w64-mingw32-g++; do
  command -v "$tool" >/dev/null || { echo "run-windows-tests: $tool is missing" >&2; exit 2; }
done
wine=""
for candidate in wine64 /usr/lib/wine/wine64 /usr/lib64/wine/wine64 wine; do
  if command -v "$candidate" >/dev/null; then wine="$(command -v "$candidate")"; break; fi
done
[[ -n "$wine" ]] || { echo "run-windows-tests: wine64 is missing" >&2; exit 2; }
wineserver="$(dirname "$wine")/wineserver"
[[ -x "$wineserver" ]] || wineserver="$(command -v wineserver || true)"

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"

prefix="$(mktemp -d "${TMPDIR:-/tmp}/quillmere-wine.XXXXXX")"
cleanup() {
  if [[ -n "$wineserver" ]]; then
    WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" "$wineserver" -w >/dev/null 2>&1 || true
  fi
  rm -rf "$prefix"
}
trap cleanup EXIT

# Console programs need no display; leaving out Mono and Gecko keeps the prefix's set-up quiet and
# quick.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wine" "$build/registry_win32_tests.exe" --gtest_color=no
