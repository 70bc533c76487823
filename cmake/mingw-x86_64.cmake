# 64-bit Windows with the posix-thread mingw-w64 compilers (GoogleTest needs
# std::mutex); the programs run under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RAVELIN_MINGW_PREFIX x86_64-w64-mingw32)
# The Debian packages' architecture word: g++-mingw-w64-x86-64-posix.
set(RAVELIN_MINGW_PACKAGE_ARCH x86-64)
if(NOT EXISTS /usr/bin/${RAVELIN_MINGW_PREFIX}-g++-posix)
  message(FATAL_ERROR "${RAVELIN_MINGW_PREFIX}-g++-posix not found: install the Debian "
          "package g++-mingw-w64-x86-64-posix (tools/install-deps.sh installs it)")
endif()
set(CMAKE_C_COMPILER ${RAVELIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVELIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RAVELIN_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RAVELIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
set(RAVELIN_WIDL_TARGET x86_64-windows)
set(RAVELIN_WINE_LIBDIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
