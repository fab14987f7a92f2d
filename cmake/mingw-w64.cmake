# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix).
# The POSIX thread model gives the full standard thread library. Programs are linked against the
# MinGW runtime DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) rather than statically: Qt's
# DLLs use those same DLLs, and one C++ runtime per process lets memory and exceptions cross
# between Qt and the viewer. The Windows deploy step puts the DLLs beside the program.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_PREFIX_PATH=<Qt for Windows>
#         -DQT_HOST_PATH=/usr ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLMERE_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QUILLMERE_MINGW_TRIPLE}-gcc-posix ${QUILLMERE_MINGW_TRIPLE}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUILLMERE_MINGW_TRIPLE}-g++-posix
             ${QUILLMERE_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUILLMERE_MINGW_TRIPLE}-windres)

# Windows libraries come from the MinGW tree and from Qt for Windows (named by CMAKE_PREFIX_PATH),
# never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMERE_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
