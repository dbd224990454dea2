# The README's sample output is what the main job prints: each of its lines,
# in order, is a line of `logreplay score` on examples/sample.adi, "..." in a
# line standing for any text and a line of "..." alone for lines left out.
# Script mode:
#   cmake -DPROGRAM=<logreplay> -DLOG=<sample.adi> -DREADME=<README.md>
#         -DWORK_DIR=<folder> -P readme_sample.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${PROGRAM}" score "${LOG}" --group-field APP_UT_GROUP --own-group G3
                WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "logreplay score on the sample failed with status ${status}")
endif()

file(READ "${README}" readme)
string(FIND "${readme}" "```\nReplay settings\n" begin)
if(begin EQUAL -1)
  message(FATAL_ERROR "README.md shows no sample output (a block starting \"Replay settings\")")
endif()
math(EXPR begin "${begin} + 4")
string(SUBSTRING "${readme}" ${begin} -1 block)
string(FIND "${block}" "\n```" end)
string(SUBSTRING "${block}" 0 ${end} block)
string(REPLACE "\n" ";" lines "${block}")

set(rest "\n${out}")
foreach(line IN LISTS lines)
  if(line MATCHES "^ *\\.\\.\\.$")
    continue()
  endif()
  string(REGEX REPLACE "([][.*+?^$(){}|\\\\])" "\\\\\\1" pattern "${line}")
  string(REPLACE "\\.\\.\\." "[^\n]*" pattern "${pattern}")
  string(REGEX MATCH "\n${pattern}\n" found "${rest}")
  if(found STREQUAL "")
    message(FATAL_ERROR "README.md's sample line is not (in this order) in what the main job "
                        "prints:\n${line}\n--- printed\n${out}")
  endif()
  string(FIND "${rest}" "${found}" at)
  string(LENGTH "${found}" length)
  math(EXPR at "${at} + ${length} - 1")
  string(SUBSTRING "${rest}" ${at} -1 rest)
endforeach()
