# Installs the program as a desktop application and packs it as a Debian package.
include(GNUInstallDirs)

set(QNTE_APP_ID org.qnte418grafik.qnte418grafik)
set(QNTE_HOMEPAGE "https://qnte418grafik.org" CACHE STRING "Homepage named in the AppStream metadata")
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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qnte418grafik)
set(CPACK_PACKAGE_VENDOR "The qnte418grafik developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Performance chart reader for the QNTe418 screw-compressor air end")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows the performance chart of the QNTe418 air end, reads the differential pressure and the free air delivery at a cross-hair, and finds the rotor speed from a power and a pressure or from a belt drive.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The qnte418grafik developers <qnte418grafik@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QNTE_HOMEPAGE})
# The Qt libraries the program needs are read off the executable by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland desktops without XWayland need the Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, qt6-wayland")
include(CPack)
