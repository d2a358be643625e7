# Cross toolchain for the Windows build (Debian's MinGW-w64, posix thread model, which GoogleTest needs).
# The product is i686. QUELLBRIN_ARCH=x86_64 builds the same sources as a 64-bit
# test build, for hosts whose kernel cannot run 32-bit Wine.
if(NOT QUELLBRIN_ARCH)
  set(QUELLBRIN_ARCH "$ENV{QUELLBRIN_ARCH}")
endif()
if(NOT QUELLBRIN_ARCH)
  set(QUELLBRIN_ARCH i686)
endif()
set(QUELLBRIN_ARCH "${QUELLBRIN_ARCH}" CACHE STRING "i686 (product) or x86_64 (test build)")
set(_triple ${QUELLBRIN_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUELLBRIN_ARCH})
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${CMAKE_CURRENT_LIST_DIR}/../deps/mingw-${QUELLBRIN_ARCH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
