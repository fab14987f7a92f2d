# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Quillmere on a Linux desktop, and the Debian package built from that installation.
include(GNUInstallDirs)

set(QUILLMERE_LICENSE "GPL-3.0-or-later")
set(QUILLMERE_RELEASE_DATE "2026-12-07")
configure_file(${PROJECT_SOURCE_DIR}/data/${QUILLMERE_DESKTOP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/generated/${QUILLMERE_DESKTOP_ID}.metainfo.xml @ONLY)

install(TARGETS quillmere RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/${QUILLMERE_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/generated/${QUILLMERE_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/${QUILLMERE_DESKTOP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QUILLMERE_DESKTOP_ID}.xml)
# File managers show a character file's or a family export's portrait through it.
install(FILES ${PROJECT_SOURCE_DIR}/data/quillmere.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quillmere.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLMERE_DESKTOP_ID}.svg)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/png/quillmere-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUILLMERE_DESKTOP_ID}.png)
endforeach()

# The manual page and the changelog, compressed as Debian's policy asks (gzip -9n: no name or time
# inside, so that the same sources make the same package), and the machine-readable copyright file.
if(NOT WIN32)
  find_program(QUILLMERE_GZIP gzip REQUIRED)
  set(compressed)
  foreach(pair "quillmere.1.gz=${PROJECT_SOURCE_DIR}/data/quillmere.1"
               "changelog.gz=${PROJECT_SOURCE_DIR}/data/debian/changelog")
    string(REGEX MATCH "^[^=]+" name "${pair}")
    string(REGEX REPLACE "^[^=]+=" "" source "${pair}")
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/generated/${name}
      COMMAND ${QUILLMERE_GZIP} -9nc ${source} > ${PROJECT_BINARY_DIR}/generated/${name}
      DEPENDS ${source}
      VERBATIM)
    list(APPEND compressed ${PROJECT_BINARY_DIR}/generated/${name})
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${compressed})
  install(FILES ${PROJECT_BINARY_DIR}/generated/quillmere.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/generated/changelog.gz
                ${PROJECT_SOURCE_DIR}/data/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere)
endif()

# The package installs files only. The desktop, icon and MIME caches are brought up to date by
# the file triggers of the Debian packages that own them, so it carries no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR Harrowfen)
set(CPACK_PACKAGE_CONTACT "Harrowfen <quillmere@harrowfen.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for The Sims character files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmere lists the Sims kept in a folder of The Sims (1) character files\n"
    "and shows each Sim's name, description, portraits and chunks, what the\n"
    "neighbourhood knows of the Sim, and the members of family exports. It never\n"
    "changes a file. The game itself is not included.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://harrowfen.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A viewer of the game's files, holding no game.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_STRIP_FILES ON)
include(CPack)
