#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the Windows build under wine64: CMake's cross-compiling emulator, so
# that CTest, test discovery and build-time helpers run the .exe files as they would run natively.
#   usage: tools/windows/wine-run.sh [--prefix DIR] [--dlls DIR:DIR...] program.exe [args...]
#     --prefix  the Wine prefix (made on first use; default $WINEPREFIX, else ~/.wine)
#     --dlls    Linux folders holding the DLLs the program needs (Qt's, the MinGW runtime's)
# Qt programs draw on the X display Wine uses (DISPLAY); Wine passes no QT_* variable to them.
set -euo pipefail

prefix="${WINEPREFIX:-$HOME/.wine}"
dlls=""
while (($#)); do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --dlls) dlls="$2"; shift 2 ;;
    *) break ;;
  esac
done
prefix="$(realpath -m "$prefix")"
(($#)) || { echo "usage: $0 [--prefix DIR] [--dlls DIR:DIR...] program.exe [args...]" >&2; exit 2; }

wine=""
for candidate in wine64 /usr/lib/wine/wine64 /usr/lib64/wine/wine64; do
  if command -v "$candidate" >/dev/null; then wine="$(command -v "$candidate")"; break; fi
done
[[ -n "$wine" ]] || { echo "wine-run: wine64 is missing" >&2; exit 2; }

# Windows sees the Linux file system as drive Z:.
windows_path() { local path; path="$(realpath -m "$1")"; echo "Z:${path//\//\\}"; }
search=""
IFS=: read -r -a folders <<<"$dlls"
for folder in "${folders[@]}"; do
  [[ -n "$folder" ]] && search+="${search:+;}$(windows_path "$folder")"
done

# No Mono or Gecko: the prefix's set-up stays quiet and quick.
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="$search${WINEPATH:+;$WINEPATH}"

# Parallel test runs share the prefix; the first one makes it while the others wait.
mkdir -p "$(dirname "$prefix")"
if [[ ! -f "$prefix/system.reg" ]]; then
  (
    flock 9
    if [[ ! -f "$prefix/system.reg" ]]; then
      "$wine" wineboot --init >/dev/null 2>&1 || true
      # The registry files are written when the server ends.
      "$(dirname "$wine")/wineserver" -w
    fi
  ) 9>"$prefix.lock"
fi
program="$1"
shift
exec "$wine" "$program" "$@"
