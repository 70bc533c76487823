# 32-bit Windows, the host's own architecture. Built and linked here, not run:
# this machine's Wine runs 64-bit programs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RAVELIN_MINGW_PREFIX i686-w64-mingw32)
# The Debian packages' architecture word: g++-mingw-w64-i686-posix.
set(RAVELIN_MINGW_PACKAGE_ARCH i686)
if(NOT EXISTS /usr/bin/${RAVELIN_MINGW_PREFIX}-g++-posix)
  message(FATAL_ERROR "${RAVELIN_MINGW_PREFIX}-g++-posix not found: install the Debian "
          "package g++-mingw-w64-i686-posix (tools/install-deps.sh installs it)")
endif()
set(CMAKE_C_COMPILER ${RAVELIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVELIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RAVELIN_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RAVELIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(RAVELIN_WIDL_TARGET i386-windows)
# Only the type library of stdole2 is read from here; 64-bit Wine has it.
set(RAVELIN_WINE_LIBDIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
