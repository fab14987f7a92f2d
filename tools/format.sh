#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ file of the repository in place with clang-format, or with --check fails
# naming the files that are not formatted. Only *.cpp and *.h files are handed to clang-format:
# it takes any file it is given for C++, so a CMake or shell file "formatted" with it is mangled.
#
#   tools/format.sh [--check]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
case ${1-} in
  '') mode=(-i) ;;
  --check) mode=(--dry-run --Werror) ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac
cd "$top"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format "${mode[@]}"
