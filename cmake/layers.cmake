# The layers of the system and the checks that keep them apart.
#
# DOMIVOX_LAYERS lists the libraries from the bottom up. Each is a folder below the source root
# whose target is named after it ("logbook/reference" builds logbook_reference). The rules:
# - a library's sources include headers of their own library and of the libraries before it in
#   the list, never of one after it, and never of a folder that is no library (app, tests);
# - project headers are included by their path from the source root ("logbook/reference/bands.h"),
#   never by a bare or relative name, so that every include names the library it reaches into;
# - the headers of one library do not include each other in a circle;
# - a library links only libraries before it.
# A source file below a library's top folder ("logbook/") that lies in no listed library breaks the
# check as well: a new folder is listed here before it builds. Folders that are no library (app,
# tools, bench, tests) may use every library.
set(DOMIVOX_LAYERS
  platform
  common
  storage/isam
  storage/driver
  storage/tables
  logbook/reference
  logbook/settings
  logbook/databases
  logbook/setupfiles
  contest
  platform/qt
  ui
  contest/window
  contestlog
  output
)

# The longest entry of `layers` that is `path`'s folder or a folder above it; empty when none is.
function(_domivox_layer_of path layers result)
  set(best "")
  set(best_length 0)
  foreach(layer IN LISTS layers)
    string(FIND "${path}" "${layer}/" position)
    string(LENGTH "${layer}" length)
    if(position EQUAL 0 AND length GREATER best_length)
      set(best "${layer}")
      set(best_length ${length})
    endif()
  endforeach()
  set(${result} "${best}" PARENT_SCOPE)
endfunction()

# Checks the sources below `root` against `layers` (see above). `problems_out` receives one line a
# violation (empty when there is none), `summary_out` what was looked at.
function(domivox_layer_problems root layers problems_out summary_out)
  set(problems "")
  set(tops "")
  foreach(layer IN LISTS layers)
    string(REGEX REPLACE "/.*" "" top "${layer}")
    list(APPEND tops "${top}")
  endforeach()
  list(REMOVE_DUPLICATES tops)

  set(files "")
  foreach(top IN LISTS tops)
    file(GLOB_RECURSE found RELATIVE "${root}" "${root}/${top}/*.h" "${root}/${top}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  list(SORT files)

  set(index 0)
  foreach(layer IN LISTS layers)
    set(files_${index} 0)
    math(EXPR index "${index} + 1")
  endforeach()
  set(headers "")
  set(include_count 0)
  foreach(file IN LISTS files)
    _domivox_layer_of("${file}" "${layers}" layer)
    if(layer STREQUAL "")
      list(APPEND problems "${file} lies in no library of DOMIVOX_LAYERS")
      continue()
    endif()
    list(FIND layers "${layer}" own)
    math(EXPR files_${own} "${files_${own}} + 1")
    string(MAKE_C_IDENTIFIER "${file}" file_id)
    set(edges_${file_id} "")
    if(file MATCHES "\\.h$")
      list(APPEND headers "${file}")
    endif()

    file(STRINGS "${root}/${file}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        list(APPEND problems "${file}: include not understood: ${line}")
        continue()
      endif()
      set(bracket "${CMAKE_MATCH_1}")
      set(target "${CMAKE_MATCH_2}")
      math(EXPR include_count "${include_count} + 1")
      if(target MATCHES "(^|/)\\.\\.?/" OR (bracket STREQUAL "\"" AND NOT target MATCHES "/"))
        list(APPEND problems
             "${file} includes \"${target}\": include project headers by their path from the source root")
        continue()
      endif()
      string(REGEX REPLACE "/.*" "" target_top "${target}")
      list(FIND tops "${target_top}" known_top)
      if(known_top EQUAL -1 AND NOT EXISTS "${root}/${target}")
        continue()  # a header of the compiler or of a package
      endif()
      _domivox_layer_of("${target}" "${layers}" target_layer)
      if(target_layer STREQUAL "")
        list(APPEND problems "${file} (${layer}) includes ${target}, which lies in no library")
        continue()
      endif()
      list(FIND layers "${target_layer}" other)
      if(other GREATER own)
        list(APPEND problems
             "${file} (${layer}) includes ${target} of ${target_layer}, a library above it")
      elseif(other EQUAL own AND file MATCHES "\\.h$" AND target MATCHES "\\.h$")
        list(APPEND edges_${file_id} "${target}")
      endif()
    endforeach()
  endforeach()

  # Include circles: a header that reaches itself through the headers of its own library.
  foreach(header IN LISTS headers)
    string(MAKE_C_IDENTIFIER "${header}" header_id)
    set(queue ${edges_${header_id}})
    set(seen "")
    while(queue)
      list(POP_FRONT queue next)
      if(next STREQUAL header)
        list(APPEND problems "${header} is part of an include circle")
        break()
      endif()
      list(FIND seen "${next}" was_seen)
      if(NOT was_seen EQUAL -1)
        continue()
      endif()
      list(APPEND seen "${next}")
      string(MAKE_C_IDENTIFIER "${next}" next_id)
      list(APPEND queue ${edges_${next_id}})
    endwhile()
  endforeach()

  set(index 0)
  foreach(layer IN LISTS layers)
    if(files_${index} EQUAL 0)
      list(APPEND problems "${layer}: no sources found (is the folder named right?)")
    endif()
    math(EXPR index "${index} + 1")
  endforeach()

  list(LENGTH layers layer_count)
  list(LENGTH files file_count)
  set(${problems_out} "${problems}" PARENT_SCOPE)
  set(${summary_out} "${layer_count} libraries, ${file_count} files, ${include_count} includes"
      PARENT_SCOPE)
endfunction()

# Stops with every violation of the include rules below `root`.
function(domivox_check_layer_includes root layers)
  domivox_layer_problems("${root}" "${layers}" problems summary)
  if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "The layers are crossed (cmake/layers.cmake):\n  ${text}")
  endif()
  message(STATUS "Layers kept: ${summary}")
endfunction()

# Stops when a library's target is missing or links a library that is not before it in the list.
function(domivox_check_layer_links)
  set(targets "")
  foreach(layer IN LISTS DOMIVOX_LAYERS)
    string(REPLACE "/" "_" target "${layer}")
    list(APPEND targets "${target}")
  endforeach()
  set(own 0)
  foreach(target IN LISTS targets)
    if(NOT TARGET ${target})
      message(FATAL_ERROR "The library folder of ${target} builds no target of that name")
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      list(FIND targets "${link}" other)
      if(other GREATER_EQUAL own)
        message(FATAL_ERROR "${target} links ${link}, which is not below it (cmake/layers.cmake)")
      endif()
    endforeach()
    math(EXPR own "${own} + 1")
  endforeach()
endfunction()
