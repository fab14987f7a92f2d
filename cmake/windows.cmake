# What the Windows build adds to the project: the program's resources (icon, version), GoogleTest
# built from source, running test programs under Wine, and the zip a player downloads.
enable_language(RC)

# Qt's DLLs and the MinGW runtime DLLs, which the program and its tests load.
set(QUILLMERE_QT_BIN "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(QUILLMERE_QT_PLUGINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
set(QUILLMERE_MINGW_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(found "${found}" REALPATH)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "The MinGW runtime ${dll} was not found")
  endif()
  list(APPEND QUILLMERE_MINGW_DLLS "${found}")
endforeach()

if(CMAKE_CROSSCOMPILING)
  set(dll_folders "${QUILLMERE_QT_BIN}")
  foreach(dll ${QUILLMERE_MINGW_DLLS})
    get_filename_component(folder "${dll}" DIRECTORY)
    string(APPEND dll_folders ":${folder}")
  endforeach()
  # Every target made from here on runs under Wine when CTest or a build step starts it. The
  # prefix is made now, so that no test's time limit pays for it.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh" --prefix
      "${CMAKE_BINARY_DIR}/wine-prefix" --dlls "${dll_folders}")
  if(QUILLMERE_TESTS)
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd /c exit)
  endif()
endif()

if(QUILLMERE_TESTS)
  # Debian ships GoogleTest for Windows only as source. Built before our strict warnings apply.
  set(QUILLMERE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUILLMERE_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)
endif()

# The icon and the version the Explorer shows for quillmere.exe.
function(quillmere_windows_resources target)
  set(icon "${PROJECT_SOURCE_DIR}/data/icons/quillmere.ico")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/windows/quillmere.rc.in"
                 "${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc" @ONLY)
  target_sources(${target} PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc")
  set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc" PROPERTIES
                              OBJECT_DEPENDS "${icon}")
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
endfunction()

# `cmake --build <dir> --target windows_zip` packs quillmere-<version>-windows-x64.zip: the
# program, the DLLs and plugins it loads, stripped, and nothing else.
function(quillmere_windows_zip target)
  set(name "quillmere-${PROJECT_VERSION}-windows-x64")
  find_program(QUILLMERE_MINGW_STRIP NAMES ${QUILLMERE_MINGW_TRIPLE}-strip REQUIRED)
  set(files
      "$<TARGET_FILE:${target}>" ${QUILLMERE_MINGW_DLLS}
      "${QUILLMERE_QT_BIN}/Qt6Core.dll" "${QUILLMERE_QT_BIN}/Qt6Gui.dll"
      "${QUILLMERE_QT_BIN}/Qt6Widgets.dll"
      "platforms=${QUILLMERE_QT_PLUGINS}/platforms/qwindows.dll"
      "styles=${QUILLMERE_QT_PLUGINS}/styles/qwindowsvistastyle.dll"
      "imageformats=${QUILLMERE_QT_PLUGINS}/imageformats/qgif.dll"
      "imageformats=${QUILLMERE_QT_PLUGINS}/imageformats/qico.dll"
      "imageformats=${QUILLMERE_QT_PLUGINS}/imageformats/qjpeg.dll")
  # A custom command would split a list at its semicolons.
  string(REPLACE ";" "|" files "${files}")
  add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${CMAKE_BINARY_DIR}/${name} -DZIP=${CMAKE_BINARY_DIR}/${name}.zip
            -DSTRIP=${QUILLMERE_MINGW_STRIP} -DFILES=${files}
            -P ${PROJECT_SOURCE_DIR}/cmake/windows/deploy.cmake
    DEPENDS ${target}
    COMMENT "Packing ${name}.zip"
    VERBATIM)
endfunction()
