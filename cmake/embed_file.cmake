# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed_file.cmake
# Writes a C++ source holding the bytes of INPUT as quellbrin::<SYMBOL>[]
# and their count as quellbrin::<SYMBOL>Size.
foreach(var INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "embed_file: ${var} is not set")
  endif()
endforeach()
if(NOT SYMBOL MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
  message(FATAL_ERROR "embed_file: '${SYMBOL}' is not an identifier")
endif()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
if(size EQUAL 0)
  # A zero-length array is not C++; an empty input would be a build mistake anyway.
  message(FATAL_ERROR "embed_file: ${INPUT} is empty")
endif()

# 16 bytes a line; the file name only, so the output does not depend on the build path.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# (CMake's regex has no {n} counts.)
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n  " bytes "${bytes}")
string(REGEX REPLACE "[ \n]+$" "" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)

file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} by embed_file.cmake. Do not edit.
#include <cstddef>

namespace quellbrin {

extern const unsigned char ${SYMBOL}[] = {
  ${bytes}
};
extern const std::size_t ${SYMBOL}Size = ${size};

}  // namespace quellbrin
")
# Only touch OUTPUT when it changes, so an unchanged input rebuilds nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
