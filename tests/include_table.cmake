# Checks that the rooms of tools/ include one way (CONTRIBUTING.md): a
# source in a room includes from tools/ only its own room and rooms of a
# lower level.
# Script mode: cmake -DTOOLS=<tools folder> -P include_order.cmake

cmake_minimum_required(VERSION 3.25)

set(levels logcheck=4 logreplay=3 report=2 host=2 cabrillo_input=2 plan=1 plugin_outputs=0
           adif=0)
foreach(entry ${levels})
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 room)
  list(GET entry 1 level_${room})
endforeach()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${TOOLS}" "${TOOLS}/*.h" "${TOOLS}/*.cc")
foreach(source ${sources})
  string(REGEX MATCH "^[^/]+" room "${source}")
  if(NOT DEFINED level_${room})
    continue()
  endif()
  file(STRINGS "${TOOLS}/${source}" includes REGEX "^#include \"tools/[^/]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"tools/([^/]+)/.*" "\\1" target "${line}")
    if(target STREQUAL room)
      continue()
    endif()
    if(NOT DEFINED level_${target} OR NOT level_${target} LESS level_${room})
      string(APPEND faults "  tools/${source}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes against the order of tools/ rooms:\n${faults}")
endif()
