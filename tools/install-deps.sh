#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Quillmere needs: `run` for building and starting the viewer,
# `test` for everything the test suite uses as well. Skips apt when all are present.
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core)
test_packages=(libgtest-dev googletest clang clang-format libclang-rt-14-dev
               g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth xz-utils
               desktop-file-utils appstream libxml2-utils shared-mime-info hicolor-icon-theme
               xdg-utils libfile-mimeinfo-perl dpkg-dev lintian man-db
               nsis  # the Windows installer
               fonts-noto-cjk fonts-tlwg-loma-ttf
               imagemagick optipng xdotool)  # screenshots under Xvfb: taken, made small, clicked

case "${1:-run}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
