# 64-bit Windows with the posix-thread mingw-w64 compilers (GoogleTest needs
# std::mutex); the programs run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RAVELIN_MINGW_PREFIX x86_64-w64-mingw32)
set(RAVELIN_MINGW_PACKAGE_ARCH x86-64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(RAVELIN_WINE_LOADER /usr/lib/wine/wine64)
set(RAVELIN_WINE_PACKAGE wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
set(RAVELIN_WIDL_TARGET x86_64-windows)
