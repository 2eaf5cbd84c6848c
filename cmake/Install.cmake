# The installed layout. The program and its user guide lie side by side in lib/shiftmeter,
# since the help window looks for Help.html in the executable's own folder; bin/ holds only a
# relative link to the program, which still finds its guide because it locates itself through
# the resolved path of its executable. A desktop entry and the icon in every size of the
# hicolor theme put it in the application menu.
set(SHIFTMETER_APP_DIR lib/shiftmeter)
set(SHIFTMETER_ASSETS ${PROJECT_SOURCE_DIR}/src/ui/assets)

install(TARGETS Shiftmeter RUNTIME DESTINATION ${SHIFTMETER_APP_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/help/Help.html DESTINATION ${SHIFTMETER_APP_DIR})
install(CODE [[
  set(link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/shiftmeter")
  message(STATUS "Installing: ${link}")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(CREATE_LINK ../lib/shiftmeter/Shiftmeter "${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
]])

install(FILES ${PROJECT_SOURCE_DIR}/packaging/shiftmeter.desktop DESTINATION share/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${SHIFTMETER_ASSETS}/mainicon-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME shiftmeter.png)
endforeach()
install(FILES ${SHIFTMETER_ASSETS}/mainicon.svg
        DESTINATION share/icons/hicolor/scalable/apps
        RENAME shiftmeter.svg)

# `cpack` in the build tree makes the Debian package of this layout under /usr (it needs
# dpkg-shlibdeps from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME shiftmeter)
set(CPACK_PACKAGE_VENDOR Rostavel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "weekly shift staffing calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Shiftmeter compares the man-hours that the shifts of a working week need\n\
with the hours that the staff can work, and says in one coloured sentence\n\
how many hours are spare or missing. Shift times may be typed in shorthand\n\
such as 9a or 17:30.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Rostavel <support@rostavel.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.rostavel.com)
# Linked libraries come from dpkg-shlibdeps; the window system plugins are loaded at run time,
# so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Metric stand-ins for the fonts the windows ask for (Times New Roman, Century Gothic).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-urw-base35")
include(CPack)
