# Fails when a folder of the module includes a folder it may not: the module
# depends one way only along its data flow, so that the parser and the layout
# query can be used without the draw pass or the bindings.
#   platform <- layout <- markup <- core
#                      <- render <-
# Usage: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_platform platform)
set(allowed_layout layout)
set(allowed_markup layout markup)
set(allowed_render layout render platform)
set(allowed_core core layout markup render platform)

set(violations "")
foreach(folder platform layout markup render core)
  file(GLOB files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(target STREQUAL "quenta")
        continue()  # the public headers
      endif()
      if(NOT target IN_LIST allowed_${folder})
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(APPEND violations "  ${shown} includes ${target}/\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "folders include against the data flow:\n${violations}")
endif()
