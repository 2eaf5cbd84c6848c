# Windows x64 with mingw-w64 (posix threads). GMP, MPFR and GoogleTest come from the prefix that
# scripts/build-mingw-deps.sh builds, SHIFTMETER_MINGW_PREFIX or build/mingw-deps by default.
# The test programs link statically, so that Wine needs no mingw runtime DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(DEFINED ENV{SHIFTMETER_MINGW_PREFIX})
  set(mingw_prefix "$ENV{SHIFTMETER_MINGW_PREFIX}")
else()
  get_filename_component(mingw_prefix "${CMAKE_CURRENT_LIST_DIR}/../../build/mingw-deps" ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${mingw_prefix}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "${mingw_prefix}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# No desktop: Wine must neither offer to install Mono or Gecko nor print its debug channels.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine)
