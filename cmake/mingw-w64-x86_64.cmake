# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64).
# The POSIX-thread compilers, which Qt for Windows needs for std threads; the library, the
# editor and Qt itself are built with the same ones so that they share one C++ runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DROVANTEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DROVANTEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DROVANTEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${DROVANTEL_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${DROVANTEL_MINGW_PREFIX}-objdump)
set(CMAKE_DLLTOOL ${DROVANTEL_MINGW_PREFIX}-dlltool)
set(CMAKE_STRIP ${DROVANTEL_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${DROVANTEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
