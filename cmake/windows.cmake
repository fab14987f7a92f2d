# SPDX-License-Identifier: GPL-3.0-or-later
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

# `cmake --build <dir> --target windows_zip windows_installer` makes what a Windows player
# downloads, both from one folder laid out as the player gets it: the program, the DLLs and plugins
# it loads, stripped, and the licences of all of them. quillmere-<version>-windows-x64.zip holds the
# folder; quillmere-<version>-setup.exe installs it.
function(quillmere_windows_downloads target)
  set(name "quillmere-${PROJECT_VERSION}-windows-x64")
  set(stage "${CMAKE_BINARY_DIR}/${name}")
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
  # Qt is shared under the LGPL, which asks for its text and a way to its source to go with it.
  set(windows_tools "${PROJECT_SOURCE_DIR}/tools/windows")
  set(texts
      "LICENSE.txt=${PROJECT_SOURCE_DIR}/LICENSE"
      "licenses/LGPL-3.0.txt=/usr/share/common-licenses/LGPL-3"
      "licenses/Qt.txt=${windows_tools}/qt-source.txt"
      "licenses/qt-6.4.2-no-direct2d.patch=${windows_tools}/qt-6.4.2-no-direct2d.patch"
      "licenses/qt-recipe.txt=${windows_tools}/qt-recipe.txt"
      "licenses/MinGW-w64.txt=/usr/share/doc/mingw-w64-common/copyright")
  set(text_sources)
  foreach(text IN LISTS texts)
    string(REGEX REPLACE "^[^=]+=" "" source "${text}")
    list(APPEND text_sources "${source}")
  endforeach()
  # A custom command would split a list at its semicolons.
  string(REPLACE ";" "|" files "${files}")
  string(REPLACE ";" "|" texts "${texts}")
  add_custom_command(OUTPUT "${stage}.stamp"
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DSTRIP=${QUILLMERE_MINGW_STRIP} -DFILES=${files}
            -DTEXTS=${texts} -P ${PROJECT_SOURCE_DIR}/cmake/windows/deploy.cmake
    COMMAND ${CMAKE_COMMAND} -E touch "${stage}.stamp"
    DEPENDS ${target} ${text_sources} ${PROJECT_SOURCE_DIR}/cmake/windows/deploy.cmake
    COMMENT "Laying out ${name}"
    VERBATIM)
  add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -E rm -f "${name}.zip"
    COMMAND ${CMAKE_COMMAND} -E tar cf "${name}.zip" --format=zip "${name}"
    DEPENDS "${stage}.stamp"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing ${name}.zip"
    VERBATIM)
  find_program(QUILLMERE_MAKENSIS makensis REQUIRED)
  set(setup "${CMAKE_BINARY_DIR}/quillmere-${PROJECT_VERSION}-setup.exe")
  set(script "${PROJECT_SOURCE_DIR}/cmake/windows/installer.nsi")
  add_custom_command(OUTPUT "${setup}"
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DSCRIPT=${script} -DOUTFILE=${setup}
            -DVERSION=${PROJECT_VERSION} -DICON=${PROJECT_SOURCE_DIR}/data/icons/quillmere.ico
            -DMAKENSIS=${QUILLMERE_MAKENSIS} -P ${PROJECT_SOURCE_DIR}/cmake/windows/installer.cmake
    DEPENDS "${stage}.stamp" ${script} ${PROJECT_SOURCE_DIR}/cmake/windows/installer.cmake
    COMMENT "Building quillmere-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(windows_installer DEPENDS "${setup}")
endfunction()
