# What tools/package.sh takes from a Windows build: the version and product
# name, the architecture's folder name in the archive, the binaries it ships
# and the tools it strips, inspects, archives and packs them for Windows
# Installer with.
ravelin_require(PROGRAM RAVELIN_OBJCOPY binutils-mingw-w64-${RAVELIN_MINGW_PACKAGE_ARCH}
                NAMES ${RAVELIN_MINGW_PREFIX}-objcopy)
ravelin_require(PROGRAM RAVELIN_OBJDUMP binutils-mingw-w64-${RAVELIN_MINGW_PACKAGE_ARCH}
                NAMES ${RAVELIN_MINGW_PREFIX}-objdump)
ravelin_require(PROGRAM RAVELIN_ZIP zip NAMES zip)
ravelin_require(PROGRAM RAVELIN_UNZIP unzip NAMES unzip)
ravelin_require(PROGRAM RAVELIN_WIXL wixl NAMES wixl)
ravelin_require(PROGRAM RAVELIN_MSIINFO msitools NAMES msiinfo)
# Debian's python3, not one that an environment manager puts first on the PATH.
ravelin_require(PROGRAM RAVELIN_PYTHON python3 NAMES python3 HINTS /usr/bin)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(arch x86)
else()
  set(arch x64)
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/package.env CONTENT
"version='${PROJECT_VERSION}'
product='${PROJECT_NAME}'
arch='${arch}'
binaries=('$<TARGET_FILE:ravelin>' '$<TARGET_FILE:ravelin-host>' '$<TARGET_FILE:ravelin-test>')
objcopy='${RAVELIN_OBJCOPY}'
objdump='${RAVELIN_OBJDUMP}'
windres='${RAVELIN_WINDRES}'
zip='${RAVELIN_ZIP}'
unzip='${RAVELIN_UNZIP}'
wixl='${RAVELIN_WIXL}'
msiinfo='${RAVELIN_MSIINFO}'
python='${RAVELIN_PYTHON}'
")
