# Installation as a desktop program and the Debian package.
include(GNUInstallDirs)

foreach(program VX vxrate)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES resources/desktop/vx.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The project file type, so that a double click on a .vxsel file opens it in VX.
install(FILES resources/desktop/vx-selection.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES resources/desktop/vx.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vx)
set(CPACK_PACKAGE_VENDOR "Tarvometrix GmbH")
set(CPACK_PACKAGE_CONTACT "Tarvometrix GmbH <support@tarvometrix.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Selection and rating of VX counterflow plate heat exchangers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Library dependencies (Qt, libqpdf, libstdc++) are found by dpkg-shlibdeps; the platform plugin,
# SVG image support and the fonts the pages are laid out with are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, fonts-liberation2, fonts-dejavu-core, fonts-wqy-microhei")
include(CPack)
