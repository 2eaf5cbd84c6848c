# Shiftmeter.exe as a Windows product: a GUI program (no console window beside it), linked
# statically and stripped so that it runs from any folder with only Help.html beside it, and
# carrying the MAINICON icon and the version resource that Explorer shows in its properties.
set(SHIFTMETER_COMPANY Rostavel)
string(SUBSTRING "${SHIFTMETER_RELEASE_DATE}" 0 4 release_year)
set(SHIFTMETER_COPYRIGHT "Copyright (C) ${release_year} ${SHIFTMETER_COMPANY}. All rights reserved.")

# The icon file is assembled from the same PNGs that the window icon uses, PNG-encoded images
# behind an ICONDIR with one entry per size (256 is written as 0), and taken out of the object
# as raw bytes: the resource script and the installer both use it.
set(icon_sizes 16 32 48 64 128 256)
list(LENGTH icon_sizes icon_count)
set(icon_directory "")
set(icon_images "")
set(icon_pngs "")
foreach(size ${icon_sizes})
  math(EXPR edge "${size} % 256")
  set(png ${PROJECT_SOURCE_DIR}/src/ui/assets/mainicon-${size}.png)
  list(APPEND icon_pngs ${png})
  string(APPEND icon_directory "  .byte ${edge}, ${edge}, 0, 0\n  .short 1, 32\n"
         "  .long image${size}_end - image${size}, image${size} - icon\n")
  string(APPEND icon_images "image${size}:\n  .incbin \"${png}\"\nimage${size}_end:\n")
endforeach()
set(icon_assembly ${PROJECT_BINARY_DIR}/packaging/Shiftmeter-icon.s)
set(SHIFTMETER_ICON ${PROJECT_BINARY_DIR}/packaging/Shiftmeter.ico)
file(CONFIGURE OUTPUT ${icon_assembly} CONTENT
     ".data\nicon:\n  .short 0, 1, ${icon_count}\n${icon_directory}${icon_images}")
add_custom_command(
  OUTPUT ${SHIFTMETER_ICON}
  COMMAND ${CMAKE_CXX_COMPILER} -x assembler -c ${icon_assembly} -o ${icon_assembly}.obj
  COMMAND ${CMAKE_OBJCOPY} -O binary -j .data ${icon_assembly}.obj ${SHIFTMETER_ICON}
  DEPENDS ${icon_assembly} ${icon_pngs}
  COMMENT "Assembling Shiftmeter.ico")
add_custom_target(shiftmeter_icon DEPENDS ${SHIFTMETER_ICON})

set(resource_script ${PROJECT_BINARY_DIR}/packaging/Shiftmeter.rc)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/Shiftmeter.rc.in ${resource_script} @ONLY)
set_source_files_properties(${resource_script} PROPERTIES OBJECT_DEPENDS ${SHIFTMETER_ICON})

enable_language(RC)
target_sources(Shiftmeter PRIVATE ${resource_script})
add_dependencies(Shiftmeter shiftmeter_icon)
set_target_properties(Shiftmeter PROPERTIES WIN32_EXECUTABLE ON)
# What is built is what ships: there is no install step that could strip it later.
target_link_options(Shiftmeter PRIVATE -s)

# The portable zip: the program and its guide, to run from any folder.
set(SHIFTMETER_HELP ${CMAKE_BINARY_DIR}/bin/Help.html)
set(SHIFTMETER_ZIP ${PROJECT_BINARY_DIR}/Shiftmeter-${PROJECT_VERSION}-x64.zip)
add_custom_command(
  OUTPUT ${SHIFTMETER_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${SHIFTMETER_ZIP} --format=zip Shiftmeter.exe Help.html
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  DEPENDS Shiftmeter $<TARGET_FILE:Shiftmeter> shiftmeter_help_page ${SHIFTMETER_HELP}
  COMMENT "Packing the portable zip")
add_custom_target(shiftmeter_zip ALL DEPENDS ${SHIFTMETER_ZIP})

# The installer, where wixl is at hand (scripts/windows-package.sh installs it). wixl takes the
# files by paths relative to where it runs.
find_program(SHIFTMETER_WIXL wixl)
set(SHIFTMETER_WXS ${PROJECT_SOURCE_DIR}/packaging/windows/Shiftmeter.wxs)
set(SHIFTMETER_MSI ${PROJECT_BINARY_DIR}/Shiftmeter-${PROJECT_VERSION}-x64.msi)
if(SHIFTMETER_WIXL)
  add_custom_command(
    OUTPUT ${SHIFTMETER_MSI}
    COMMAND ${SHIFTMETER_WIXL} -a x64 -D Version=${PROJECT_VERSION} -D Exe=bin/Shiftmeter.exe
            -D Help=bin/Help.html -D Icon=packaging/Shiftmeter.ico -o ${SHIFTMETER_MSI}
            ${SHIFTMETER_WXS}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS Shiftmeter $<TARGET_FILE:Shiftmeter> shiftmeter_help_page ${SHIFTMETER_HELP}
            shiftmeter_icon ${SHIFTMETER_ICON} ${SHIFTMETER_WXS}
    COMMENT "Building the installer")
  add_custom_target(shiftmeter_msi ALL DEPENDS ${SHIFTMETER_MSI})
else()
  message(STATUS "wixl not found: no installer")
endif()
