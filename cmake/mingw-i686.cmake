# 32-bit Windows, the host's own architecture. Built and linked here, not run:
# this machine's Wine runs 64-bit programs only.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RAVELIN_MINGW_PREFIX i686-w64-mingw32)
set(RAVELIN_MINGW_PACKAGE_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(RAVELIN_WIDL_TARGET i386-windows)
