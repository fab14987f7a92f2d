# Lays out the Windows program as a player unpacks it and packs the zip:
#   cmake -DSTAGE=<folder> -DZIP=<file.zip> -DSTRIP=<mingw strip> -DFILES=<list> -P deploy.cmake
# FILES holds paths separated by "|", each optionally prefixed by "<subfolder>=" (Qt's plugins go
# to subfolders beside the program, where Qt looks for them).
string(REPLACE "|" ";" FILES "${FILES}")
file(REMOVE_RECURSE "${STAGE}")
get_filename_component(top "${STAGE}" NAME)
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
get_filename_component(parent "${STAGE}" DIRECTORY)
file(REMOVE "${ZIP}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip "${top}"
                WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Packed ${ZIP}")
