# The include rules of cmake/layers.cmake as a script, for CTest:
#   cmake -DROOT=<source root> [-DLAYERS=a,b,c] -P check_layers.cmake
# LAYERS (comma-separated) replaces DOMIVOX_LAYERS, for checking small example trees.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
if(NOT DEFINED ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source root> [-DLAYERS=a,b] -P check_layers.cmake")
endif()
if(DEFINED LAYERS)
  string(REPLACE "," ";" DOMIVOX_LAYERS "${LAYERS}")
endif()
domivox_check_layer_includes("${ROOT}" "${DOMIVOX_LAYERS}")
