# Installation as a desktop program and the Debian package: the programs with their manual pages
# and bash completions, the desktop entry, the icon, the AppStream metadata, the MIME type of the
# project files, the changelog and the copyright file.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseInfo.cmake)
find_program(HELP2MAN help2man REQUIRED)

set(VX_APP_ID com.tarvometrix.vx)
set(VX_PACKAGE vx)
set(vx_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(vx_generated ${PROJECT_BINARY_DIR}/packaging)

# Installs a program into a folder of the prefix, without the compiler's version notes, as in
# distribution packages.
function(vx_install_binary program folder)
  install(TARGETS ${program} RUNTIME DESTINATION ${folder})
  install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/${program}\")")
endfunction()

# Installs a program with its manual page, which the build makes either from a roff page of the
# program's own (MANUAL name.1.in; version and release month filled in) or with help2man from the
# program's --help and --version output plus a short include (HELP2MAN name.h2m). A file
# packaging/<program>.bash-completion is installed where bash-completion looks for it.
function(vx_install_program program)
  cmake_parse_arguments(P "" "MANUAL;HELP2MAN" "" ${ARGN})
  vx_install_binary(${program} ${CMAKE_INSTALL_BINDIR})
  set(page ${vx_generated}/${program}.1)
  if(P_MANUAL)
    configure_file(${vx_packaging}/${P_MANUAL} ${page} @ONLY)
  else()
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VX_RELEASE_EPOCH}
              ${HELP2MAN} --no-info --include=${vx_packaging}/${P_HELP2MAN} --output=${page}
              $<TARGET_FILE:${program}>
      DEPENDS ${program} ${vx_packaging}/${P_HELP2MAN}
      COMMENT "Writing the manual page of ${program}" VERBATIM)
  endif()
  add_custom_command(OUTPUT ${page}.gz COMMAND gzip -9nkf ${page} DEPENDS ${page} VERBATIM)
  add_custom_target(${program}_manual ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(EXISTS ${vx_packaging}/${program}.bash-completion)
    install(FILES ${vx_packaging}/${program}.bash-completion
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
  endif()
  set_property(GLOBAL APPEND PROPERTY VX_PROGRAMS ${program})
endfunction()

# The programs of the package, one line each.
vx_install_program(VX MANUAL VX.1.in)
vx_install_program(vxrate HELP2MAN vxrate.h2m)
# vxrate starts its page commands (datasheet, chart, description) from here.
vx_install_binary(vxrate-pages ${CMAKE_INSTALL_LIBEXECDIR}/vx)

# Desktop entry and icon; the entry carries the application's id as its name, as the AppStream
# launchable names it.
install(FILES resources/desktop/vx.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${VX_APP_ID}.desktop)
install(FILES resources/desktop/vx.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${vx_packaging}/${VX_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# AppStream metadata.
set(VX_SUMMARY "Selection and rating of VX counterflow plate heat exchangers")
get_property(programs GLOBAL PROPERTY VX_PROGRAMS)
list(TRANSFORM programs PREPEND "    <binary>")
list(TRANSFORM programs APPEND "</binary>")
list(JOIN programs "\n" VX_PROVIDES_XML)
set(VX_METAINFO ${vx_generated}/${VX_APP_ID}.metainfo.xml)
configure_file(${vx_packaging}/${VX_APP_ID}.metainfo.xml.in ${VX_METAINFO} @ONLY)
install(FILES ${VX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Changelog (compressed, as Debian keeps it) and copyright file.
add_custom_command(OUTPUT ${vx_generated}/changelog.gz
  COMMAND gzip -9nc ${vx_packaging}/changelog > ${vx_generated}/changelog.gz
  DEPENDS ${vx_packaging}/changelog)
add_custom_target(vx_changelog ALL DEPENDS ${vx_generated}/changelog.gz)
install(FILES ${vx_generated}/changelog.gz ${vx_packaging}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VX_PACKAGE})
# Notes for lintian on findings that are not faults.
install(FILES ${vx_packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME ${VX_PACKAGE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VX_PACKAGE})
set(CPACK_PACKAGE_VENDOR "Tarvometrix GmbH")
set(CPACK_PACKAGE_CONTACT "Tarvometrix GmbH <support@tarvometrix.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${VX_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${VX_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tarvometrix.com")
# Library dependencies (Qt, libqpdf, libstdc++) are found by dpkg-shlibdeps; the platform plugin,
# SVG image support and the fonts the pages are laid out with are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, fonts-liberation2, fonts-dejavu-core, fonts-wqy-microhei")
# The package carries stripped programs. A build with debug information (Debug, RelWithDebInfo)
# moves the symbols into a vx-dbgsym package beside it; the programs in the build folder keep them.
if(CMAKE_BUILD_TYPE MATCHES "^(Debug|RelWithDebInfo)$")
  set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
else()
  set(CPACK_STRIP_FILES ON)
endif()
include(CPack)
