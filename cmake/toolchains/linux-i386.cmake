# Linux i386 with Debian's cross compiler and the i386 multiarch libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
# Some x86-64 kernels run no 32-bit programs (no IA-32 emulation): the i386 dynamic loader, which
# the multiarch libraries bring, then cannot start, and the tests run under qemu-user instead.
execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE i386_loader_status
                OUTPUT_QUIET ERROR_QUIET)
if(NOT i386_loader_status EQUAL 0)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
  message(STATUS "This kernel runs no 32-bit programs; i386 programs run under qemu-i386-static")
endif()
