# Generates the built-in DXCC number table (a C++ source) from resources/dxcc_prefixes.tsv.
#   cmake -DIN=<tsv> -DOUT=<cpp> -P generate_dxcc_table.cmake
# A malformed line, a number outside 1..522, a number given twice or a prefix that is not 1 to 5
# characters of A-Z, 0-9, "/" and "-" stops the build: the table is the program's only copy.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED IN OR NOT DEFINED OUT)
  message(FATAL_ERROR "usage: cmake -DIN=<tsv> -DOUT=<cpp> -P generate_dxcc_table.cmake")
endif()

set(table_size 522)
file(STRINGS "${IN}" lines ENCODING UTF-8)

foreach(n RANGE 0 ${table_size})
  set(prefix_${n} "")
endforeach()

set(line_no 0)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)\t([^\t]*)$")
    message(FATAL_ERROR "${IN}:${line_no}: expected <number><TAB><main prefix>")
  endif()
  set(number "${CMAKE_MATCH_1}")
  set(prefix "${CMAKE_MATCH_2}")
  math(EXPR number "${number}")  # drops leading zeros
  if(number LESS 1 OR number GREATER table_size)
    message(FATAL_ERROR "${IN}:${line_no}: entity number ${number} outside 1..${table_size}")
  endif()
  if(NOT prefix MATCHES "^[-/A-Z0-9]+$")
    message(FATAL_ERROR "${IN}:${line_no}: main prefix \"${prefix}\" is not upper-case A-Z, 0-9, / or -")
  endif()
  string(LENGTH "${prefix}" len)
  if(len GREATER 5)
    message(FATAL_ERROR "${IN}:${line_no}: main prefix \"${prefix}\" longer than 5 characters")
  endif()
  if(NOT prefix_${number} STREQUAL "")
    message(FATAL_ERROR "${IN}:${line_no}: entity number ${number} given twice")
  endif()
  # The table holds each prefix padded with blanks to 5 characters.
  set(padded "${prefix}     ")
  string(SUBSTRING "${padded}" 0 5 padded)
  set(prefix_${number} "${padded}")
endforeach()

set(body "")
foreach(n RANGE 0 ${table_size})
  string(APPEND body "    \"${prefix_${n}}\",  // ${n}\n")
endforeach()

set(content "// Generated from resources/dxcc_prefixes.tsv by logbook/generate_dxcc_table.cmake. Do not edit.
#include \"logbook/dxcc_table.h\"

#include <array>

namespace logbook {
namespace {

constexpr std::array<std::string_view, kDxccTableSize + 1> kTable = {
${body}};

}  // namespace

std::string_view BuiltinDxccPrefix(int number) {
  if (number < 1 || number > kDxccTableSize) return {};
  return kTable[static_cast<std::size_t>(number)];
}

}  // namespace logbook
")

# Rewrite only when the text changed, so an unchanged table does not rebuild the library.
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUT}" "${content}")
