#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the README's screenshots from the sample Sims on a virtual X display: the main window
# on the sample saved game's first neighbourhood (docs/screenshots/main-window.png), and the Sim card
# opened by double-clicking the first Sim (docs/screenshots/sim-card.png). Each is the window
# alone, made small with optipng. Run it after changing what the windows show.
#   tools/screenshots.sh [BUILD_DIR]   (default: the release build in build/ that run-viewer.sh makes)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [[ ${1:-} == --on-display ]]; then
  # The part that runs on the virtual display: BUILD_DIR CHARACTERS_FOLDER OUTPUT_FOLDER.
  build=$2 characters=$3 out=$4
  # The same look on every machine: English, Qt's own style, no desktop's theme.
  export LANGUAGE=en LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion
  unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
  "$build/quillmere" "$characters" &
  viewer=$!
  trap 'kill "$viewer" 2>/dev/null || true' EXIT
  main=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1)
  sleep 2  # the roster pass and the first portrait
  import -window "$main" "$out/main-window.png"
  # The first name of the Sim list ("List2"): 16 + 40 pixels across, 216 + 8 down.
  xdotool mousemove --window "$main" 56 224 click --repeat 2 --delay 80 1
  card=$(xdotool search --sync --onlyvisible --name '^About ' | head -n 1)
  sleep 1
  import -window "$card" "$out/sim-card.png"
  # The next Sim, whose head the game would not find: the card follows the chosen Sim.
  xdotool windowmove --sync "$card" 300 0 mousemove --window "$main" 56 237 click 1
  sleep 1
  import -window "$card" "$out/sim-card-headless.png"
  exit 0
fi

build=${1:-$top/build}
if [[ -z ${1:-} ]]; then
  "$top/tools/install-deps.sh" test
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
    -DQUILLMERE_BENCH=OFF
fi
build=$(realpath "$build")
cmake --build "$build" --target quillmere make_samples
# The folder list shows the whole path, so it is a short one that reads as a game's folder.
game="/tmp/The Sims"
if [[ -e $game ]]; then
  echo "screenshots: $game is in the way; remove it first" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work" "$game"' EXIT
"$build/tools/samples/make_samples" "$work/samples" "$game" >/dev/null
mkdir -m 700 "$work/runtime"
out=$top/docs/screenshots
mkdir -p "$out"
XDG_RUNTIME_DIR=$work/runtime xvfb-run -a -s '-screen 0 1024x768x24' "$0" --on-display "$build" \
  "$game/UserData/Characters" "$out"
for shot in "$out/main-window.png" "$out/sim-card.png" "$out/sim-card-headless.png"; do
  optipng -quiet -o5 -strip all "$shot"
  echo "$shot: $(identify -format '%w x %h' "$shot"), $(stat -c %s "$shot") bytes"
done
