# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows installer from the folder the zip is packed from:
#   cmake -DSTAGE=<folder> -DSCRIPT=<installer.nsi> -DOUTFILE=<setup.exe> -DVERSION=<x.y>
#         -DICON=<quillmere.ico> -DMAKENSIS=<makensis> -P installer.cmake
# The installer lists every file it writes, and the uninstaller deletes exactly those and the
# folders they made, so a player's own files in the program's folder survive an uninstall.
cmake_minimum_required(VERSION 3.22)
file(GLOB_RECURSE files RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(bytes 0)
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n"
                        "File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
  if(folder AND NOT folder IN_LIST folders)
    list(APPEND folders "${folder}")
  endif()
  file(SIZE "${STAGE}/${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# The deepest folders first: each is removed only when empty.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
string(APPEND install "SetOutPath \"$INSTDIR\"\n")
set(lists "${OUTFILE}.files")
file(WRITE "${lists}.install.nsh" "${install}")
file(WRITE "${lists}.uninstall.nsh" "${uninstall}")

math(EXPR size_kb "(${bytes} + 1023) / 1024")
string(REGEX MATCHALL "[0-9]+" parts "${VERSION}.0.0.0")
list(SUBLIST parts 0 4 parts)
list(JOIN parts "." version_quad)
execute_process(COMMAND "${MAKENSIS}" -V2 -WX "-DVERSION=${VERSION}" "-DVERSION_QUAD=${version_quad}"
                        "-DSTAGE=${STAGE}" "-DFILES=${lists}" "-DSIZE_KB=${size_kb}"
                        "-DICON=${ICON}" "-DOUTFILE=${OUTFILE}" "${SCRIPT}"
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Built ${OUTFILE}")
