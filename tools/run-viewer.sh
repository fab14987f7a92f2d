#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the viewer and starts it on the sample Sims that ship with it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh" run
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
  -DQUILLMERE_BENCH=OFF
cmake --build "$top/build" --target quillmere make_samples
"$top/build/tools/samples/make_samples" "$top/samples/characters" "$top/samples/saved-game"
cd "$top/samples/characters"
exec "$top/build/quillmere"
