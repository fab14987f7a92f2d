#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, installs it as a player would, checks that the desktop knows the
# program and its file type, then removes it again. The machine's installed packages are compared
# before and after; removal also runs when a check fails.
#   tools/package-check.sh [BUILD_DIR]   (default: a release build in build-package/, as the README's "Installing on Debian")
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-package}
id=example.harrowfen.Quillmere
type=application/x-sims-character
family_type=application/x-sims-family

if dpkg-query -W -f='${Status}' quillmere 2>/dev/null | grep -q 'ok installed'; then
  echo "package-check: quillmere is already installed here; not touching it" >&2
  exit 1
fi
if [[ -z ${1:-} ]]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
    -DQUILLMERE_BENCH=OFF
fi
cmake --build "$build" --target quillmere make_samples compressed_docs
rm -f "$build"/quillmere_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
# Debian's own checker: any error or warning fails. A tag that must be overlooked goes, with its
# reason on the line above it, in a lintian overrides file installed with the package.
lintian --fail-on error,warning --display-info "$build"/quillmere_*.deb

work=$(mktemp -d)
chmod 755 "$work"  # apt reads the package as its own unprivileged user
cp "$build"/quillmere_*.deb "$work/"
chmod 644 "$work"/quillmere_*.deb
"$build/tools/samples/make_samples" "$work/samples" "$work/game"
family=$work/game/UserData/Export/Pemberton.FAM
dpkg-query -W -f='${Package} ${Version}\n' | sort >"$work/before"

finish() {
  local status=$?
  apt-get purge -y -qq quillmere >/dev/null 2>&1 || true
  dpkg-query -W -f='${Package} ${Version}\n' | sort >"$work/after"
  if ! diff -u "$work/before" "$work/after"; then
    echo "package-check: the installed packages differ from before" >&2
    status=1
  fi
  rm -rf "$work"
  exit $status
}
trap finish EXIT

fail() {
  echo "package-check: $*" >&2
  exit 1
}

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$work"/quillmere_*.deb >/dev/null
dpkg-deb --field "$work"/quillmere_*.deb Depends

[[ $(command -v quillmere) == /usr/bin/quillmere ]] || fail "quillmere is not on PATH"
[[ $(man -w quillmere) == /usr/share/man/man1/quillmere.1.gz ]] || fail "man finds no quillmere(1)"
version=$(quillmere --version)
[[ $version =~ ^Quillmere\ [0-9.]+$ ]] || fail "quillmere --version said '$version'"
listed=$(env -u DISPLAY -u WAYLAND_DISPLAY quillmere --list "$work/samples")
samples=("$work"/samples/User*)
[[ $(wc -l <<<"$listed") == "${#samples[@]}" && ${listed%%$'\n'*} == $'User00000.iff\tAda Thornbury' ]] ||
  fail "quillmere --list gave: $listed"
found=$(xdg-mime query filetype "$work/samples/User00003.iff")
[[ $found == "$type" ]] || fail "xdg-mime gives the type '$found'"
handler=$(xdg-mime query default "$type")
[[ $handler == "$id.desktop" ]] || fail "xdg-mime gives the handler '$handler'"
# A family export opens the same way: xdg-open asks these two questions.
members=$(env -u DISPLAY -u WAYLAND_DISPLAY quillmere --list "$family" | wc -l)
[[ $members == 4 ]] || fail "quillmere --list on a family export listed $members members"
found=$(xdg-mime query filetype "$family")
[[ $found == "$family_type" ]] || fail "xdg-mime gives the family export the type '$found'"
handler=$(xdg-mime query default "$family_type")
[[ $handler == "$id.desktop" ]] || fail "xdg-mime gives family exports the handler '$handler'"
# File managers find the thumbnailer there and run its command line without a display.
thumbnailer=/usr/share/thumbnailers/quillmere.thumbnailer
grep -qx 'Exec=quillmere --thumbnail %i %o %s' "$thumbnailer" || fail "no thumbnailer installed"
env -u DISPLAY -u WAYLAND_DISPLAY quillmere --thumbnail "$family" "$work/family.png" 128 &&
  [[ -s $work/family.png ]] || fail "quillmere --thumbnail made no picture of a family export"

apt-get purge -y -qq quillmere >/dev/null
[[ ! -e /usr/bin/quillmere && ! -e /usr/share/applications/$id.desktop &&
   ! -e /usr/share/man/man1/quillmere.1.gz && ! -e $thumbnailer ]] ||
  fail "files left after removal"
[[ $(xdg-mime query default "$type") == "" && $(xdg-mime query default "$family_type") == "" ]] ||
  fail "the handler outlived the package"
echo "package: $version installed, listed ${#samples[@]} Sims and a family of 4, opens and" \
  "thumbnails $type and $family_type, removed"
