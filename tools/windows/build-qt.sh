#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes Qt for 64-bit Windows as qt-recipe.txt describes and prints the folder it is installed in.
# Debian ships no Windows build of Qt, so it is cross-compiled from Debian's own source package with
# the host's Qt tools. The result is cached outside the repository, in a folder named by a hash of
# the recipe, and reused; a prebuilt copy made by the same recipe is unpacked instead of building.
#   usage: tools/windows/build-qt.sh [--from-source] [--cache DIR]
#     --from-source  ignore a prebuilt copy
#     --cache DIR    cache folder (default: $QUILLMERE_CACHE, else /var/cache/quillmere when it
#                    can be written, else ~/.cache/quillmere)
# QUILLMERE_JOBS sets the build's parallel jobs (default: the number of cores).
# Needs (Debian): dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev-tools xz-utils
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
recipe="$here/qt-recipe.txt"

from_source=0
cache="${QUILLMERE_CACHE:-}"
while (($#)); do
  case "$1" in
    --from-source) from_source=1 ;;
    --cache) cache="$2"; shift ;;
    *) echo "usage: $0 [--from-source] [--cache DIR]" >&2; exit 2 ;;
  esac
  shift
done
if [[ -z "$cache" ]]; then
  cache=/var/cache/quillmere
  mkdir -p "$cache" 2>/dev/null && [[ -w "$cache" ]] || cache="${XDG_CACHE_HOME:-$HOME/.cache}/quillmere"
fi
mkdir -p "$cache"
say() { echo "build-qt: $*" >&2; }

source_package="" patch="" toolchain="" copy_name="" copy_sha="" options=()
while read -r word rest; do
  case "$word" in
    source) source_package="$rest" ;;
    patch) patch="$here/$rest" ;;
    toolchain) toolchain="$here/$rest" ;;
    copy) read -r copy_name copy_sha <<<"$rest" ;;
    option) options+=("$rest") ;;
  esac
done < <(grep -v '^#' "$recipe")

hash=$(cat "$recipe" "$patch" "$toolchain" | sha256sum | cut -c1-16)
prefix="$cache/qt-$hash"

# Two runs at once (CI and a developer, say) wait for each other rather than build twice.
exec {lock}>"$cache/.qt-$hash.lock"
flock "$lock"

if [[ -f "$prefix/.complete" ]]; then
  echo "$prefix"
  exit 0
fi

work="$(mktemp -d "$cache/qt-$hash.work.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The copy counts only when its archive is intact and it was made from the same patch and
# toolchain file as well as the same options (its archive's checksum is recorded in the recipe).
usable_copy() {
  local dir="$root/../shared/toolchains/$copy_name"
  [[ -n "$copy_name" && -f "$dir/SHA256SUMS" ]] || return 1
  (cd "$dir" && sha256sum --quiet -c SHA256SUMS) >&2 || return 1
  grep -q "^$copy_sha  $copy_name.tar.xz\$" "$dir/SHA256SUMS" || return 1
  cmp -s "$dir/$(basename "$patch")" "$patch" && cmp -s "$dir/$(basename "$toolchain")" "$toolchain"
}

copy_dir="$root/../shared/toolchains/$copy_name"
if ((!from_source)) && usable_copy; then
  say "unpacking the prebuilt copy from $copy_dir"
  mkdir "$work/install"
  tar -xJf "$copy_dir/$copy_name.tar.xz" -C "$work/install" --strip-components=1
else
  say "building $source_package from source into $prefix"
  # A private source list, state and cache: the deb-src entry exists only for this run and the
  # machine's own package lists are left alone.
  apt_dir="$work/apt"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  cat >"$apt_dir/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
  apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
               -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
               -o APT::Sandbox::User=root)
  apt-get "${apt_options[@]}" update -qq
  (cd "$work" && apt-get "${apt_options[@]}" source -qq "$source_package") >&2
  src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  patch -d "$src" -p1 <"$patch" >&2
  jobs="${QUILLMERE_JOBS:-$(nproc)}"
  cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$work/install" "${options[@]}" >&2
  cmake --build "$work/build" -j "$jobs" >&2
  cmake --install "$work/build" >&2
fi

touch "$work/install/.complete"
rm -rf "$prefix"
mv "$work/install" "$prefix"
say "Qt for Windows is in $prefix"
echo "$prefix"
