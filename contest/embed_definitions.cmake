# Builds resources/contests.toml into the program as a C++ source: BuiltInDefinitionText().
#   cmake -DIN=<toml> -DOUT=<cpp> -P embed_definitions.cmake
# The bytes are copied as they stand (UTF-8); the program parses and checks them at its first
# contest load, and the contest tests check them at every build.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED IN OR NOT DEFINED OUT)
  message(FATAL_ERROR "usage: cmake -DIN=<toml> -DOUT=<cpp> -P embed_definitions.cmake")
endif()

file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
# Sixteen bytes a line keep the generated file readable in a debugger.
string(REGEX REPLACE "(('[^']*',){16})" "\\1\n    " bytes "${bytes}")

file(WRITE "${OUT}.tmp" "// Generated from resources/contests.toml by embed_definitions.cmake. Do not edit.
#include \"contest/definition_set.h\"

namespace contest {
namespace {
constexpr char kText[${size} + 1] = {
    ${bytes}'\\0'};
}  // namespace

std::string_view BuiltInDefinitionText() { return {kText, ${size}}; }

}  // namespace contest
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
