#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop entry, the AppStream data, the MIME type and the icon with the freedesktop.org
# tools from Debian. Errors fail; hints, infos and pedantic notes are printed only.
#   tools/desktop-check.sh BUILD_DIR    (a configured build: the AppStream file is generated)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: $0 BUILD_DIR}
id=example.harrowfen.Quillmere

desktop-file-validate "$top/data/$id.desktop"
appstreamcli validate --no-net "$build/generated/$id.metainfo.xml"
xmllint --noout "$top/data/$id.mime.xml" "$top/data/icons/quillmere.svg"
# The MIME database compiler reads the package as the desktop will: any complaint fails.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime
mkdir -p "$mime/packages"
cp "$top/data/$id.mime.xml" "$mime/packages/"
complaints=$(XDG_DATA_DIRS=$data update-mime-database "$mime" 2>&1)
if [[ -n $complaints ]]; then
  echo "$complaints" >&2
  exit 1
fi
grep -qx 'application/x-sims-character' "$mime/types"
grep -qx 'application/x-sims-family' "$mime/types"
# The thumbnailer entry is no desktop entry, which the validator refuses: its keys are checked
# here, and its file types against the MIME package's.
thumbnailer=$top/data/quillmere.thumbnailer
types=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$top/data/$id.mime.xml" | tr '\n' ';')
[[ $(grep -v '^#' "$thumbnailer") == "[Thumbnailer Entry]
TryExec=quillmere
Exec=quillmere --thumbnail %i %o %s
MimeType=$types" ]] || { echo "$thumbnailer: not the keys expected" >&2; exit 1; }
echo "desktop files: valid"
