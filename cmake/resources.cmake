# The exe's resources (manifest, version block, generated icon), its DLL
# search hardening, and the link options for a hardened, reproducible binary.

set(QUELLBRIN_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${QUELLBRIN_RESOURCE_DIR})

# The icon is drawn by a tool built with the host's compiler.
find_program(QUELLBRIN_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
add_custom_command(
  OUTPUT ${QUELLBRIN_RESOURCE_DIR}/make_icon
  COMMAND ${QUELLBRIN_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -Werror
          -o ${QUELLBRIN_RESOURCE_DIR}/make_icon ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp
  COMMENT "Building the icon tool (host)")
add_custom_command(
  OUTPUT ${QUELLBRIN_RESOURCE_DIR}/quellbrin.ico
  COMMAND ${QUELLBRIN_RESOURCE_DIR}/make_icon ${QUELLBRIN_RESOURCE_DIR}/quellbrin.ico
  DEPENDS ${QUELLBRIN_RESOURCE_DIR}/make_icon
  COMMENT "Drawing quellbrin.ico")

# The product is x86 and its manifest says so. The 64-bit test build asks for
# the Common Controls of its own architecture, as a 64-bit program must.
file(READ ${CMAKE_SOURCE_DIR}/resources/quellbrin.manifest _manifest)
if(QUELLBRIN_ARCH STREQUAL "x86_64")
  string(REPLACE "processorArchitecture=\"X86\"" "processorArchitecture=\"amd64\"" _manifest "${_manifest}")
endif()
file(CONFIGURE OUTPUT ${QUELLBRIN_RESOURCE_DIR}/quellbrin.manifest CONTENT "${_manifest}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/quellbrin.manifest)

# Adds the resources and the DLL search hardening to an exe built from main_win32.cpp.
function(quellbrin_add_resources target)
  target_sources(${target} PRIVATE
    ${CMAKE_SOURCE_DIR}/resources/quellbrin.rc
    ${CMAKE_SOURCE_DIR}/app/dll_search_win32.cpp
    ${QUELLBRIN_RESOURCE_DIR}/quellbrin.ico)
  target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${QUELLBRIN_RESOURCE_DIR}>)
  # ASLR with the relocations it needs, DEP, and no time stamp in the header.
  target_link_options(${target} PRIVATE
    LINKER:--dynamicbase,--nxcompat,--enable-reloc-section,--no-insert-timestamp)
  if(QUELLBRIN_ARCH STREQUAL "x86_64")
    target_link_options(${target} PRIVATE LINKER:--high-entropy-va)
  endif()
endfunction()

set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/quellbrin.rc APPEND PROPERTY OBJECT_DEPENDS
  ${QUELLBRIN_RESOURCE_DIR}/quellbrin.ico
  ${QUELLBRIN_RESOURCE_DIR}/quellbrin.manifest
  ${CMAKE_SOURCE_DIR}/resources/site.rh)

quellbrin_add_resources(quellbrin)
# The map shows what the exe's bytes are made of (scripts/release reads it).
set_property(TARGET quellbrin APPEND_STRING PROPERTY LINK_FLAGS " -Wl,-Map=${CMAKE_BINARY_DIR}/quellbrin.map")

# Small code for a program that waits on the user; build paths of generated
# sources mapped away like those of the source tree.
foreach(_lib quellbrin_core quellbrin_win32 quellbrin)
  target_compile_options(${_lib} PRIVATE -Os -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
endforeach()
