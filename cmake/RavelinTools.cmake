# Everything the build and its tests take from the system is found where the
# Debian packages of tools/install-deps.sh put it; a missing one stops the
# configure step with the package to install. tools/check-deps.sh then holds
# every path a build found against those packages.

# ravelin_require(PROGRAM|LIBRARY|FILE VAR PACKAGE NAMES n... [HINTS d...])
# Names are tried in order, each first in the hints (where the package puts
# it), then on the system paths. These are tools of the build machine, so a
# cross build searches outside its target root too.
function(ravelin_require kind var package)
  cmake_parse_arguments(arg "" "" "NAMES;HINTS" ${ARGN})
  set(where NO_CMAKE_FIND_ROOT_PATH)
  if(arg_HINTS)
    list(APPEND where HINTS ${arg_HINTS})
  endif()
  if(kind STREQUAL "PROGRAM")
    find_program(${var} NAMES ${arg_NAMES} ${where})
  elseif(kind STREQUAL "LIBRARY")
    find_library(${var} NAMES ${arg_NAMES} ${where})
  else()
    find_file(${var} NAMES ${arg_NAMES} ${where})
  endif()
  if(NOT ${var})
    string(REPLACE ";" ", " names "${arg_NAMES}")
    message(FATAL_ERROR
      "${names} not found: install the Debian package ${package} "
      "(tools/install-deps.sh installs it)")
  endif()
endfunction()
