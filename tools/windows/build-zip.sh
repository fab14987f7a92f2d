#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the downloads for Windows players in build-windows-zip/: quillmere-<version>-windows-x64.zip
# and quillmere-<version>-setup.exe, the installer of the same files. Qt for Windows first (built or
# unpacked, see build-qt.sh), then the program, then the zip and the installer.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
qt=$("$top/tools/windows/build-qt.sh")
cmake -S "$top" -B "$top/build-windows-zip" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
cmake --build "$top/build-windows-zip" --target windows_zip windows_installer
