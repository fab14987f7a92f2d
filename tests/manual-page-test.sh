#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual page and `quillmere --help` name the same options, each with the same value name;
# catches an option added to, renamed in or dropped from the command line without the manual
# following (or the other way round), and a manual page groff warns about.
#   usage: manual-page-test.sh QUILLMERE_BINARY MANUAL_PAGE
set -euo pipefail
binary=$1 page=$2

# "-h, --help" and "--language <LANG>" in the help's option column become "-h --help" and
# "--language LANG".
from_help=$("$binary" --help | sed -n '/^Options:/,/^$/p' |
  sed -n 's/^  \(-[^ ]*\(, -[^ ]*\)*\( <[^>]*>\)\?\)  .*/\1/p' | sed -e 's/,//g' -e 's/[<>]//g' |
  LC_ALL=C sort)
# Each tag (the line after .TP) of the OPTIONS section, its macros and quotes taken away.
from_page=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | sed -n '/^\.TP/{n;p}' |
  sed -e 's/^\.[A-Z]* //' -e 's/\\-/-/g' -e 's/"//g' -e 's/,//g' -e 's/  */ /g' -e 's/ $//' |
  LC_ALL=C sort)
if [[ $from_help != "$from_page" ]]; then
  echo "the options of --help (<) and of the manual page (>) differ:" >&2
  diff <(echo "$from_help") <(echo "$from_page") >&2 || true
  exit 1
fi
if [[ -z $from_help ]]; then
  echo "no option found in --help" >&2
  exit 1
fi
warnings=$(groff -ww -man -z "$page" 2>&1)
[[ -z $warnings ]] || { echo "$warnings" >&2; exit 1; }
echo "$from_help"
