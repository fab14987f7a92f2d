#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Marks every tracked source file with the project's licence, GPL-3.0-or-later, as an SPDX line:
# the first line of each C++ file, and of each shell and CMake file (after its "#!" line, if it
# has one). A file that already names its licence in that place is left alone, so running the
# script again changes nothing. Prints the files it changed.
#   tools/add-spdx-headers.sh [REPOSITORY]   (default: the one holding this script)
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"
licence="SPDX-License-Identifier: GPL-3.0-or-later"

# add FILE COMMENT_LEADER: puts "<leader> <licence>" first, or second after a "#!" line.
add() {
  local file=$1 leader=$2 line
  line="$leader $licence"
  local first
  first=$(head -n 1 "$file")
  local at=1
  [[ $first == '#!'* ]] && at=2
  if sed -n "${at}p" "$file" | grep -q 'SPDX-License-Identifier:'; then return; fi
  local marked
  marked=$(mktemp "$file.XXXXXX")
  if ((at == 2)); then
    { printf '%s\n%s\n' "$first" "$line"; tail -n +2 "$file"; } >"$marked"
  else
    { printf '%s\n' "$line"; cat "$file"; } >"$marked"
  fi
  chmod --reference="$file" "$marked"
  mv "$marked" "$file"
  echo "$file"
}

is_shell() {
  [[ $1 == *.sh ]] || head -n 1 "$1" | grep -Eq '^#!(/usr)?/bin/(env )?(ba)?sh\b'
}

while IFS= read -r -d '' file; do
  [[ -f $file && ! -L $file ]] || continue
  # Qt for Windows is built with this file and cached by its exact bytes, and the prebuilt copy
  # beside the checkout carries the same bytes: a changed line would rebuild Qt (about 50
  # CPU-minutes) on every fresh machine.
  [[ $file == tools/windows/mingw-qt-toolchain.cmake ]] && continue
  case "$file" in
    *.cpp | *.h) add "$file" "//" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake) add "$file" "#" ;;
    *) if is_shell "$file"; then add "$file" "#"; fi ;;
  esac
done < <(git ls-files -z)
