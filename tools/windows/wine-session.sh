#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command (CTest, say) with one Wine session kept up for the prefix all along, so that the
# Windows programs it starts one after another do not each wait for a server of their own. The
# session's background services start here, away from the command's output: started by a test,
# they would hold its output open, and CTest would wait for them to end.
#   usage: tools/windows/wine-session.sh PREFIX command [args...]
set -euo pipefail
prefix="$(realpath -m "$1")"
shift
server="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export WINEPREFIX="$prefix"
"$server" -p
trap '"$server" -k >/dev/null 2>&1 || true' EXIT
"$(dirname "$(realpath "$0")")/wine-run.sh" --prefix "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
"$@"
