# Turns a file into a C++ source that defines a byte array and its size.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<cpp> -DSYMBOL=<name> -P EmbedFile.cmake
if(INPUT)
  file(READ "${INPUT}" content HEX)
else()
  set(content "")
endif()
string(LENGTH "${content}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n"
"#include <cstddef>\n"
"namespace velm::embedded {\n"
"extern const unsigned char ${SYMBOL}[] = {\n    ${bytes}0x00};\n"
"extern const std::size_t ${SYMBOL}Size = ${size};\n"
"}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
