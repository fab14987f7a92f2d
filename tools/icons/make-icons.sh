#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the icon's SVG into the PNGs the desktop and the window use and the multi-size Windows
# icon. The results are committed, so that building Quillmere needs no SVG renderer; run this
# again after changing data/icons/quillmere.svg. Needs rsvg-convert (librsvg2-bin) and icotool
# (icoutils).
set -euo pipefail
icons=$(cd "$(dirname "$0")/../../data/icons" && pwd)
sizes=(16 22 24 32 48 64 128 256)

mkdir -p "$icons/png"
for size in "${sizes[@]}"; do
  rsvg-convert --width "$size" --height "$size" "$icons/quillmere.svg" \
    --output "$icons/png/quillmere-$size.png"
done
# Windows keeps the 256 px picture as PNG inside the icon file (-r), the smaller ones as bitmaps.
icotool --create --output "$icons/quillmere.ico" \
  "$icons"/png/quillmere-{16,24,32,48,64}.png --raw="$icons/png/quillmere-256.png"
