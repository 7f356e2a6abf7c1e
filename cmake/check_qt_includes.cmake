# Fails when Qt is included outside the window layer: only the sources of platform/qt/ (its .cpp
# files, its impl/ headers and the test kit's sources) and the tests in tests/platform/qt/ may
# include Qt; the layer's public headers and every other folder may not, and no CMakeLists.txt
# outside platform/qt/ may link a Qt target.
#
# Run as: cmake -DROOT=<source folder> -P check_qt_includes.cmake
if(NOT ROOT)
  message(FATAL_ERROR "ROOT not set")
endif()

set(folders common platform storage logbook contest ui contestlog output app tools bench tests)
set(sources)
foreach(folder ${folders})
  if(EXISTS ${ROOT}/${folder})
    file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp
         ${ROOT}/${folder}/*.hpp ${ROOT}/${folder}/*.cc)
    list(APPEND sources ${found})
  endif()
endforeach()

set(include_regex "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|q[a-z]+\\.h)")
set(offenders)
set(allowed_seen 0)
foreach(file ${sources})
  file(STRINGS ${ROOT}/${file} qt_lines REGEX "${include_regex}")
  if(file MATCHES "^platform/qt/impl/" OR file MATCHES "^platform/qt/.*\\.cpp$"
     OR file MATCHES "^tests/platform/qt/")
    if(qt_lines)
      math(EXPR allowed_seen "${allowed_seen} + 1")
    endif()
  elseif(qt_lines)
    list(APPEND offenders "${file}")
  endif()
endforeach()

file(GLOB_RECURSE lists RELATIVE ${ROOT} ${ROOT}/*/CMakeLists.txt)
foreach(list ${lists})
  if(list MATCHES "^build" OR list MATCHES "^platform/qt/")
    continue()
  endif()
  file(STRINGS ${ROOT}/${list} qt_links REGEX "Qt6::|find_package\\(Qt")
  if(qt_links)
    list(APPEND offenders "${list} (links Qt)")
  endif()
endforeach()

# The check must see the layer's own Qt includes, or it is looking in the wrong place.
if(allowed_seen EQUAL 0)
  message(FATAL_ERROR "no Qt include found in platform/qt/: the check is broken")
endif()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Qt used outside the window layer:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources checked; Qt only inside platform/qt/")
