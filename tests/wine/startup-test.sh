#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up as a player with the game installed sees it: in a fresh Wine prefix, the game's key is
# written by Wine's own `reg add` in the 32-bit view, sample Sims lie in its characters folder,
# and the window must open there with the roster built.
#   usage: startup-test.sh make_samples.exe startup_win32_tests.exe wine-run.sh [its options...]
set -euo pipefail
make_samples="$1" checker="$2"
shift 2
scratch="$(mktemp -d "${TMPDIR:-/tmp}/quillmere-startup.XXXXXX")"
prefix="$scratch/prefix"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
cleanup() {
  WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
# The emulator's own prefix option is overridden by the fresh one.
wine_run=("$@" --prefix "$prefix")

"${wine_run[@]}" "$make_samples" 'C:\The Sims\UserData\Characters'
"${wine_run[@]}" reg add 'HKLM\Software\Maxis\The Sims' /v SIMS_DATA /d 'C:\The Sims' /reg:32 /f
QUILLMERE_EXPECTED_FOLDER='C:\The Sims\UserData\Characters' "${wine_run[@]}" "$checker"
