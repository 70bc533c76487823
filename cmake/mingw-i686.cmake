# 32-bit Windows, the host's own architecture; the programs run under the
# 32-bit Wine (wine32:i386) in the same prefix as the 64-bit ones.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RAVELIN_MINGW_PREFIX i686-w64-mingw32)
set(RAVELIN_MINGW_PACKAGE_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(RAVELIN_WINE_LOADER /usr/lib/wine/wine)
set(RAVELIN_WINE_PACKAGE wine32:i386)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
set(RAVELIN_WIDL_TARGET i386-windows)
