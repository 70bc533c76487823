# What both mingw-w64 toolchains share; each sets RAVELIN_MINGW_PREFIX and
# RAVELIN_MINGW_PACKAGE_ARCH (the Debian packages' architecture word) first.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT EXISTS /usr/bin/${RAVELIN_MINGW_PREFIX}-g++-posix)
  message(FATAL_ERROR "${RAVELIN_MINGW_PREFIX}-g++-posix not found: install the Debian "
          "package g++-mingw-w64-${RAVELIN_MINGW_PACKAGE_ARCH}-posix (tools/install-deps.sh installs it)")
endif()
set(CMAKE_C_COMPILER ${RAVELIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVELIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RAVELIN_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RAVELIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Only the type library of stdole2 is read from here, for both architectures:
# this machine's 64-bit Wine has it.
set(RAVELIN_WINE_LIBDIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
