#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the README's screenshots from the sample Sims on a virtual X display: the main window
# on the sample saved game's first neighbourhood (docs/screenshots/main-window.png), the Sim card
# opened by double-clicking the first Sim (docs/screenshots/sim-card.png) and the next, headless
# Sim's (sim-card-headless.png); then the 3D views of the built figures' cards side by side, the
# adult and the child each in two outfits, the dog, the cat and a headless adult (sim-3d.png), and
# the same Sims drawn by `quillmere --render` (render.png). Each is made small with optipng. Run it
# after changing what the windows show.
#   tools/screenshots.sh [BUILD_DIR]   (default: the release build in build/ that run-viewer.sh makes)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

# On the virtual display: starts the viewer (BUILD_DIR CHARACTERS_FOLDER) and waits for its main
# window, `main`.
start_viewer() {
  # The same look on every machine: English, Qt's own style, no desktop's theme.
  export LANGUAGE=en LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion
  unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
  "$1/quillmere" "$2" &
  viewer=$!
  trap 'kill "$viewer" 2>/dev/null || true' EXIT
  main=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1)
  sleep 2  # the roster pass and the first portrait
}

# Opens the first Sim's card, `card`, by double-clicking its name in the Sim list ("List2"): 16 + 40
# pixels across, 216 + 8 down.
open_card() {
  xdotool mousemove --window "$main" 56 224 click --repeat 2 --delay 80 1
  card=$(xdotool search --sync --onlyvisible --name '^About ' | head -n 1)
  sleep 1
}

if [[ ${1:-} == --on-display ]]; then
  # The part that runs on the virtual display: BUILD_DIR CHARACTERS_FOLDER OUTPUT_FOLDER.
  out=$4
  start_viewer "$2" "$3"
  import -window "$main" "$out/main-window.png"
  open_card
  import -window "$card" "$out/sim-card.png"
  # The next Sim, whose head the game would not find: the card follows the chosen Sim.
  xdotool windowmove --sync "$card" 300 0 mousemove --window "$main" 56 237 click 1
  sleep 1
  import -window "$card" "$out/sim-card-headless.png"
  exit 0
fi

if [[ ${1:-} == --figures-on-display ]]; then
  # The figures' cards: BUILD_DIR CHARACTERS_FOLDER OUTPUT_FOLDER, one PNG a view.
  out=$4
  start_viewer "$2" "$3"
  open_card
  xdotool windowmove --sync "$card" 300 0
  sleep 1
  # The 3D view is the card's top-left corner; the outfit chooser takes the focus after it, and
  # Down picks the next outfit.
  shot() { import -window "$card" -crop 248x368+8+8 +repage "$out/$1.png"; }
  next_outfit() {
    xdotool mousemove --window "$card" 130 190 click 1 key Tab Down
    sleep 1
  }
  # Each Sim turned a little to its left and seen from a little above, as a player would turn it;
  # the next outfit keeps the view.
  turn() {
    xdotool mousemove --window "$card" 130 190 click 1 key Left Left Down
    sleep 1
  }
  turn
  shot 1-adult
  next_outfit
  shot 2-adult-formal
  xdotool mousemove --window "$main" 56 237 click 1
  sleep 1
  turn
  shot 3-child
  next_outfit
  shot 4-child-swimwear
  for row in 5-dog:250 6-cat:263 7-headless:276; do
    xdotool mousemove --window "$main" 56 "${row#*:}" click 1
    sleep 1
    turn
    shot "${row%:*}"
  done
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
# The figures, seen in their cards and drawn without a window.
"$build/tools/samples/make_samples" --figures "$work/figures"
mkdir "$work/views" "$work/renders"
XDG_RUNTIME_DIR=$work/runtime xvfb-run -a -s '-screen 0 1024x768x24' "$0" --figures-on-display \
  "$build" "$work/figures/UserData/Characters" "$work/views"
montage "$work/views/"*.png -tile 7x1 -geometry +4+4 -background white "$out/sim-3d.png"
figure=$work/figures/UserData/Characters/User0000
for picture in 0:everyday:1 0:formal:2 1:everyday:3 1:swimwear:4 2:everyday:5 3:everyday:6 \
  4:everyday:7; do
  IFS=: read -r sim outfit order <<<"$picture"
  "$build/quillmere" --render "$figure$sim.iff" --outfit "$outfit" --size 200x300 \
    --out "$work/renders/$order.png"
done
montage "$work/renders/"*.png -tile 7x1 -geometry +2+2 -background white "$out/render.png"
for shot in "$out/main-window.png" "$out/sim-card.png" "$out/sim-card-headless.png" \
  "$out/sim-3d.png" "$out/render.png"; do
  optipng -quiet -o5 -strip all "$shot"
  echo "$shot: $(identify -format '%w x %h' "$shot"), $(stat -c %s "$shot") bytes"
done
