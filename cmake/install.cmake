# Installing Quillmere on a Linux desktop, and the Debian package built from that installation.
include(GNUInstallDirs)

set(QUILLMERE_LICENSE "LicenseRef-proprietary")
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
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quillmere.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLMERE_DESKTOP_ID}.svg)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/png/quillmere-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUILLMERE_DESKTOP_ID}.png)
endforeach()

# The package installs files only. The desktop, icon and MIME caches are brought up to date by
# the file triggers of the Debian packages that own them, so it carries no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR Harrowfen)
set(CPACK_PACKAGE_CONTACT "Harrowfen <quillmere@harrowfen.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for The Sims character files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmere lists the Sims kept in a folder of The Sims (1) character files and shows\n"
    "each Sim's name, description, portraits and chunks. It never changes a file.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://harrowfen.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_STRIP_FILES ON)
include(CPack)
