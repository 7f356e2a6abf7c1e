# Generates the built-in DXCC number table (a C++ source) from resources/dxcc_prefixes.tsv.
#   cmake -DIN=<tsv> -DOUT=<cpp> -P generate_dxcc_table.cmake
# A line is: number, main prefix, name, deleted flag (0 or 1), then further columns that the table
# does not need. A malformed line, a number outside 1..522, a number given twice, a prefix that is
# not 1 to 5 characters of A-Z, 0-9, "/" and "-" or a deleted flag other than 0 and 1 stops the
# build: the table is the program's only copy.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED IN OR NOT DEFINED OUT)
  message(FATAL_ERROR "usage: cmake -DIN=<tsv> -DOUT=<cpp> -P generate_dxcc_table.cmake")
endif()

set(table_size 522)
# Read whole and split by hand: file(STRINGS) would also split at the ";" inside a column.
file(READ "${IN}" text)
string(REPLACE ";" "," text "${text}")
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

foreach(n RANGE 0 ${table_size})
  set(prefix_${n} "")
  set(deleted_${n} "false")
endforeach()

set(line_no 0)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)\t([^\t]*)\t[^\t]*\t([^\t]*)(\t.*)?$")
    message(FATAL_ERROR
      "${IN}:${line_no}: expected <number><TAB><main prefix><TAB><name><TAB><deleted>")
  endif()
  set(number "${CMAKE_MATCH_1}")
  set(prefix "${CMAKE_MATCH_2}")
  set(deleted "${CMAKE_MATCH_3}")
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
  if(NOT deleted MATCHES "^[01]$")
    message(FATAL_ERROR "${IN}:${line_no}: deleted flag \"${deleted}\" is not 0 or 1")
  endif()
  if(NOT prefix_${number} STREQUAL "")
    message(FATAL_ERROR "${IN}:${line_no}: entity number ${number} given twice")
  endif()
  # The table holds each prefix padded with blanks to 5 characters.
  set(padded "${prefix}     ")
  string(SUBSTRING "${padded}" 0 5 padded)
  set(prefix_${number} "${padded}")
  if(deleted STREQUAL "1")
    set(deleted_${number} "true")
  endif()
endforeach()

set(body "")
foreach(n RANGE 0 ${table_size})
  string(APPEND body "    Entry{\"${prefix_${n}}\", ${deleted_${n}}},  // ${n}\n")
endforeach()

set(content "// Generated from resources/dxcc_prefixes.tsv by logbook/reference/generate_dxcc_table.cmake. Do not edit.
#include \"logbook/reference/dxcc_table.h\"

#include <array>

namespace logbook {
namespace {

struct Entry {
  std::string_view prefix;
  bool deleted;
};

constexpr std::array<Entry, kDxccTableSize + 1> kTable = {{
${body}}};

}  // namespace

std::string_view BuiltinDxccPrefix(int number) {
  if (number < 1 || number > kDxccTableSize) return {};
  return kTable[static_cast<std::size_t>(number)].prefix;
}

bool BuiltinDxccDeleted(int number) {
  if (number < 1 || number > kDxccTableSize) return false;
  return kTable[static_cast<std::size_t>(number)].deleted;
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
