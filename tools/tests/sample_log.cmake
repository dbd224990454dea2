# examples/sample.adi is what the log generator writes from the seed its
# first line names, for as many QSOs as it holds, byte for byte.
# Script mode:
#   cmake -DPROGRAM=<make_sample_log> -DLOG=<sample.adi> -P sample_log.cmake
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${LOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "generated with seed ([0-9]+)$")
  message(FATAL_ERROR "${LOG}: its first line names no seed: '${first}'")
endif()
set(seed ${CMAKE_MATCH_1})
file(READ "${LOG}" expected)
string(REGEX MATCHALL "<EOR>" records "${expected}")
list(LENGTH records count)
execute_process(COMMAND "${PROGRAM}" ${seed} ${count} RESULT_VARIABLE status
                OUTPUT_VARIABLE written)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_sample_log ${seed} ${count} failed with status ${status}")
endif()
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "${LOG} is not what 'make_sample_log ${seed} ${count}' writes; "
                      "write it again with that command if the generator changed on purpose")
endif()
