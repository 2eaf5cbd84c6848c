# Windows x64 with mingw-w64 (posix threads). GMP, MPFR and GoogleTest come from the prefix that
# scripts/build-mingw-deps.sh builds, SHIFTMETER_MINGW_PREFIX or build/mingw-deps by default; Qt,
# for the program and its window tests, from the prefix that SHIFTMETER_WINDOWS_QT names
# (scripts/build-windows-qt.sh finds or builds it), whose moc, rcc and uic are the host's.
# Everything links statically, so that Windows and Wine need no DLLs beside the programs.
include(${CMAKE_CURRENT_LIST_DIR}/windows-x64-mingw-compilers.cmake)

if(DEFINED ENV{SHIFTMETER_MINGW_PREFIX})
  set(mingw_prefix "$ENV{SHIFTMETER_MINGW_PREFIX}")
else()
  get_filename_component(mingw_prefix "${CMAKE_CURRENT_LIST_DIR}/../../build/mingw-deps" ABSOLUTE)
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${mingw_prefix}")
if(DEFINED ENV{SHIFTMETER_WINDOWS_QT})
  list(APPEND CMAKE_FIND_ROOT_PATH "$ENV{SHIFTMETER_WINDOWS_QT}")
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${mingw_prefix}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# No desktop: Wine must neither offer to install Mono or Gecko nor print its debug channels.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine)
