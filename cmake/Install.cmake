# The installed layout. The program and its user guide lie side by side in lib/shiftmeter,
# since the help window looks for Help.html in the executable's own folder; bin/ holds only a
# relative link to the program, which still finds its guide because it locates itself through
# the resolved path of its executable. A desktop entry and the icon in every size of the
# hicolor theme put it in the application menu; the AppStream metadata, named like the desktop
# entry by the maker's reversed domain, lists it in software centres. The manual page, the
# copyright and the changelog are laid out as Debian wants them, and are installed everywhere
# alike.
set(SHIFTMETER_APP_DIR lib/shiftmeter)
set(SHIFTMETER_APP_ID com.rostavel.shiftmeter)
set(SHIFTMETER_ASSETS ${PROJECT_SOURCE_DIR}/src/ui/assets)
set(SHIFTMETER_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(SHIFTMETER_PACKAGING_BUILT ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS Shiftmeter RUNTIME DESTINATION ${SHIFTMETER_APP_DIR})
# The compiler's version notes (.comment) serve no purpose in an installed program.
install(CODE "
  execute_process(
    COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${SHIFTMETER_APP_DIR}/Shiftmeter\"
    COMMAND_ERROR_IS_FATAL ANY)
")
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/help/Help.html DESTINATION ${SHIFTMETER_APP_DIR})
install(CODE [[
  set(link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/shiftmeter")
  message(STATUS "Installing: ${link}")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(CREATE_LINK ../lib/shiftmeter/Shiftmeter "${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
]])

install(FILES ${SHIFTMETER_PACKAGING}/${SHIFTMETER_APP_ID}.desktop DESTINATION share/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${SHIFTMETER_ASSETS}/mainicon-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME shiftmeter.png)
endforeach()
install(FILES ${SHIFTMETER_ASSETS}/mainicon.svg
        DESTINATION share/icons/hicolor/scalable/apps
        RENAME shiftmeter.svg)

# AppStream 1.0 names the developer in an element with an ID of its own and deprecates the bare
# name that older readers and validators know alone. The metadata takes the form that the
# release it is built on reads, and the newer one where no AppStream is installed.
set(SHIFTMETER_APPSTREAM_DEVELOPER
    "<developer id=\"com.rostavel\">\n    <name>Rostavel</name>\n  </developer>")
find_program(SHIFTMETER_APPSTREAMCLI appstreamcli)
if(SHIFTMETER_APPSTREAMCLI)
  execute_process(COMMAND ${SHIFTMETER_APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_version
                  ERROR_QUIET)
  string(REGEX MATCH "[0-9]+\\.[0-9]+" appstream_version "${appstream_version}")
  if(appstream_version VERSION_LESS 1.0)
    set(SHIFTMETER_APPSTREAM_DEVELOPER "<developer_name>Rostavel</developer_name>")
  endif()
endif()
configure_file(${SHIFTMETER_PACKAGING}/${SHIFTMETER_APP_ID}.metainfo.xml.in
               ${SHIFTMETER_PACKAGING_BUILT}/${SHIFTMETER_APP_ID}.metainfo.xml @ONLY)
install(FILES ${SHIFTMETER_PACKAGING_BUILT}/${SHIFTMETER_APP_ID}.metainfo.xml
        DESTINATION share/metainfo)

# Debian wants the manual page and the changelog compressed at the highest level and without a
# time stamp, so that the same sources give the same package.
find_program(SHIFTMETER_GZIP gzip REQUIRED)
configure_file(${SHIFTMETER_PACKAGING}/shiftmeter.1.in ${SHIFTMETER_PACKAGING_BUILT}/shiftmeter.1
               @ONLY)
set(compressed_documents)
foreach(document ${SHIFTMETER_PACKAGING_BUILT}/shiftmeter.1 ${SHIFTMETER_PACKAGING}/changelog)
  get_filename_component(name ${document} NAME)
  set(compressed ${SHIFTMETER_PACKAGING_BUILT}/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${SHIFTMETER_GZIP} -9 -n -c ${document} > ${compressed}
    DEPENDS ${document}
    COMMENT "Compressing ${name}")
  list(APPEND compressed_documents ${compressed})
endforeach()
add_custom_target(shiftmeter_compressed_documents ALL DEPENDS ${compressed_documents})
install(FILES ${SHIFTMETER_PACKAGING_BUILT}/shiftmeter.1.gz DESTINATION share/man/man1)
install(FILES ${SHIFTMETER_PACKAGING}/copyright ${SHIFTMETER_PACKAGING_BUILT}/changelog.gz
        DESTINATION share/doc/shiftmeter)
install(FILES ${SHIFTMETER_PACKAGING}/shiftmeter.lintian-overrides
        DESTINATION share/lintian/overrides
        RENAME shiftmeter)

# `cpack` in the build tree makes the Debian package of this layout under /usr (it needs
# dpkg-shlibdeps from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME shiftmeter)
set(CPACK_PACKAGE_VENDOR Rostavel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "weekly shift staffing calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Shiftmeter is a calculator for whoever plans the shifts of a working week.\n\
From the shifts the week needs and the groups of staff it works out the\n\
man-hours on both sides, compares the two totals and tells you whether you\n\
have hours to spare or how many you are short. Times may be typed in\n\
shorthand such as 9a or 17:30. It compares weekly totals only.")
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
# The Tahoma clone the windows load from SHIFTMETER_TAHOMA_FOLDER, and metric stand-ins for the
# other fonts they ask for (Times New Roman, Century Gothic).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-liberation, fonts-urw-base35")
include(CPack)
