# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the Windows program as a player gets it, in the folder both the zip and the installer
# are made from:
#   cmake -DSTAGE=<folder> -DSTRIP=<mingw strip> -DFILES=<list> -DTEXTS=<list> -P deploy.cmake
# FILES holds the program and the libraries it loads, separated by "|", each optionally prefixed
# by "<subfolder>=" (Qt's plugins go to subfolders beside the program, where Qt looks for them);
# each is stripped. TEXTS holds "<name in the folder>=<source>" pairs: the licences and notes.
string(REPLACE "|" ";" FILES "${FILES}")
string(REPLACE "|" ";" TEXTS "${TEXTS}")
file(REMOVE_RECURSE "${STAGE}")
foreach(entry IN LISTS FILES)
  set(subfolder "")
  set(source "${entry}")
  if(entry MATCHES "^([a-z]+)=(.+)$")
    set(subfolder "/${CMAKE_MATCH_1}")
    set(source "${CMAKE_MATCH_2}")
  endif()
  file(COPY "${source}" DESTINATION "${STAGE}${subfolder}")
  get_filename_component(name "${source}" NAME)
  execute_process(COMMAND "${STRIP}" --strip-unneeded "${STAGE}${subfolder}/${name}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(entry IN LISTS TEXTS)
  if(NOT entry MATCHES "^([^=]+)=(.+)$")
    message(FATAL_ERROR "A text is named <name>=<source>: ${entry}")
  endif()
  configure_file("${CMAKE_MATCH_2}" "${STAGE}/${CMAKE_MATCH_1}" COPYONLY)
endforeach()
