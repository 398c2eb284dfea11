# Installs the program with its desktop entry, icons and AppStream metadata,
# and describes the Debian package that cpack builds from that install.
include(GNUInstallDirs)

include(${CMAKE_CURRENT_LIST_DIR}/app_id.cmake)
set(PAYLOG_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

if(TARGET paylog)
  install(TARGETS paylog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PAYLOG_PACKAGING_DIR}/${PAYLOG_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PAYLOG_PACKAGING_DIR}/${PAYLOG_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PAYLOG_PACKAGING_DIR}/${PAYLOG_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs are rendered from the SVG once and kept in the tree, so building
# needs no SVG renderer; re-render them with rsvg-convert after editing it.
set(PAYLOG_ICON_SIZES 16 32 48 64 128 256)
foreach(size IN LISTS PAYLOG_ICON_SIZES)
  install(FILES ${PAYLOG_PACKAGING_DIR}/icons/paylog-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PAYLOG_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME paylog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Estimate a month's pay and keep an overtime log")
set(CPACK_PACKAGE_DESCRIPTION
  "A Chinese-language desktop tool with which a salaried worker in mainland China estimates a month's pay (overtime, leave deductions, income tax) and keeps a password-protected overtime log.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The release build carries debug info; the package does not need it.
set(CPACK_STRIP_FILES ON)
# Placeholder until the project has a real contact address.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "paylog team <paylog@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Libraries come from what the program links; the font and Qt's Chinese
# translations are loaded at run time, so no linker can see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
include(CPack)
