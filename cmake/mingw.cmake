# Cross-compiles for Windows with the MinGW-w64 posix-thread compilers.
# FERRIN_ARCH is i686 (the shipped 32-bit programs) or x86_64 (the same sources
# built for hosts whose kernel runs no 32-bit code, where Wine can only run
# 64-bit programs). Test programs run under Wine through the emulator wrapper.
if(NOT FERRIN_ARCH)
  set(FERRIN_ARCH i686)
endif()
set(FERRIN_ARCH "${FERRIN_ARCH}" CACHE STRING "Target processor: i686 or x86_64")
set(_triple ${FERRIN_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FERRIN_ARCH})
set(CMAKE_C_COMPILER   ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_triple}-windres)

# Keep this in step with scripts/deps-dir.sh.
if(DEFINED ENV{FERRIN_DEPS})
  set(_deps "$ENV{FERRIN_DEPS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(_deps "$ENV{XDG_CACHE_HOME}/ferrin-deps")
else()
  set(_deps "$ENV{HOME}/.cache/ferrin-deps")
endif()
set(PROJECT_DEPS_PREFIX "${_deps}/${FERRIN_ARCH}" CACHE PATH "Target dependency prefix")

set(CMAKE_FIND_ROOT_PATH /usr/${_triple} "${PROJECT_DEPS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Makefile tree builds through a wrapper that lets one top-level make at a time
# write into it; other generators (Ninja) use their own program.
if(CMAKE_GENERATOR MATCHES "Makefiles" AND NOT CMAKE_MAKE_PROGRAM)
  get_filename_component(_locked_make "${CMAKE_CURRENT_LIST_DIR}/../scripts/locked-make.sh" ABSOLUTE)
  set(CMAKE_MAKE_PROGRAM "${_locked_make}" CACHE FILEPATH "make, one top-level run per build tree")
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
