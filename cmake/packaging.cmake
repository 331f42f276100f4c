# Installs the program as a desktop application and packs it as a Debian package.
include(GNUInstallDirs)
include(${PROJECT_SOURCE_DIR}/cmake/install_docs.cmake)

set(QNTE_APP_ID org.qnte418grafik.qnte418grafik)
# The package names whoever builds it as its maintainer, read from DEBFULLNAME and DEBEMAIL as
# Debian's own tools do; else a placeholder in the domain reserved for examples.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  set(maintainer_default "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(maintainer_default "the qnte418grafik authors <qnte418grafik@example.org>")
endif()
set(QNTE_PACKAGE_MAINTAINER "${maintainer_default}" CACHE STRING
    "Maintainer of the Debian package, as 'Name <address>'")
set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
set(icon_dir ${PROJECT_SOURCE_DIR}/resources/icons)

install(TARGETS qnte418grafik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop_dir}/${QNTE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop_dir}/${QNTE_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${QNTE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QNTE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${icon_dir}/${QNTE_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QNTE_APP_ID}.png)
endforeach()
install(FILES ${icon_dir}/${QNTE_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

qnte_install_man_page(qnte418grafik)

# The licence in Debian's machine-readable form, and the changelog of a native package.
install(FILES ${PROJECT_SOURCE_DIR}/.reuse/dep5 DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
qnte_install_gzipped(${PROJECT_BINARY_DIR}/changelog ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qnte418grafik)
set(CPACK_PACKAGE_VENDOR "The qnte418grafik developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Performance chart reader for the QNTe418 screw-compressor air end")
# Wrapped as a Debian long description; cpack indents the lines.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Shows the performance chart of the QNTe418 screw-compressor air end: shaft"
  "power over rotor speed, with one curve for each differential pressure of 4,"
  "7, 10 and 13 bar. A cross-hair, placed with scroll bars or the mouse, reads"
  "the pressure from the chart picture's own pixels, flags operating points"
  "outside the permitted region and estimates the free air delivery. The rotor"
  "speed can also be found from a power and a pressure, or from a belt drive.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QNTE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt libraries the program needs are read off the executable by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by dpkg-shlibdeps: the X11 platform plugin that opens the window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Without dpkg-shlibdeps cpack would only warn and pack a package without dependencies.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_checks.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/cpack_verify_deb.cmake)
# Wayland desktops without XWayland need the Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, qt6-wayland")
include(CPack)
