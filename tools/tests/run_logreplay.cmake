# Runs logreplay once in a fresh working folder and compares what it did
# with what is expected. Script mode:
#   cmake -DPROGRAM=<logreplay> [-DEMULATOR=<wine-run.sh>] -DWORK_DIR=<folder>
#         [-DLOG=<file to copy into the folder>] -DARGS=<arguments, '|'-separated>
#         [-DCOPY=<more files to copy into the folder, '|'-separated>]
#         [-DSTATUS=<exit status, default 0>] [-DSTDOUT=<file>] [-DSTDERR=<file>]
#         [-DSTDERR_CONTAINS=<texts, '|'-separated>] [-DERR_TXT=<file>]
#         [-DNO_ERR_TXT=ON]
#         [-DDIRS=<folders to make first, '|'-separated>]
#         [-DFILES=<files that must exist afterwards, '|'-separated>]
#         [-DWRITTEN=<file the run writes>|<its expected text>]
#         [-DVERSION=<project version>] -P run_logreplay.cmake
# The plug-in's files (err.txt, WRITTEN, FILES, DIRS) are looked for in its
# working folder: PLUGIN_DIR under WORK_DIR, by default the log's name less
# its extension and ".stats", as logreplay names it.
# Standard input is empty, so nothing waits for an operator.
# A failing run must print nothing to standard output, but for status 4 (an
# output not written), which prints the results all the same. Output is compared
# with CR LF read as LF. In the expected files @VERSION@
# stands for the project version and @WORKDIR@ for the working folder as
# the program names it (a Unix path natively, Z:\... under Wine, where the
# separator after it reads '/').

cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT what ${ARGV})
  message(FATAL_ERROR "logreplay ${ARGS}: ${what}")
endfunction()

# Text with LF line ends and the working folder written as @WORKDIR@.
function(normalize text out)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "/" "\\" windowsDir "Z:${WORK_DIR}")
  string(REPLACE "${windowsDir}\\" "@WORKDIR@/" text "${text}")
  string(REPLACE "${windowsDir}" "@WORKDIR@" text "${text}")
  string(REPLACE "${WORK_DIR}" "@WORKDIR@" text "${text}")
  string(REPLACE "@WORKDIR@/${PLUGIN_DIR}\\" "@WORKDIR@/${PLUGIN_DIR}/" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# With the environment's STATS_UPDATE_EXPECTED set (scripts/update-expected.sh)
# a text that differs replaces the expected file instead of failing.
function(expect_file_text expectedFile actual label)
  file(READ "${expectedFile}" expected)
  string(REPLACE "\r\n" "\n" expected "${expected}")
  string(REPLACE "@VERSION@" "${VERSION}" expected "${expected}")
  if(NOT actual STREQUAL expected AND DEFINED ENV{STATS_UPDATE_EXPECTED})
    string(REPLACE "${VERSION}" "@VERSION@" actual "${actual}")
    file(WRITE "${expectedFile}" "${actual}")
    message(STATUS "updated ${expectedFile}")
  elseif(NOT actual STREQUAL expected)
    fail("${label} differs from ${expectedFile}\n"
         "--- expected\n${expected}\n--- actual\n${actual}\n---")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
string(REPLACE "|" ";" copyList "${COPY}")
foreach(file IN LISTS LOG copyList)
  file(COPY "${file}" DESTINATION "${WORK_DIR}")
endforeach()
string(REPLACE "|" ";" argList "${ARGS}")
if(NOT DEFINED PLUGIN_DIR)
  list(GET argList 1 logArgument)
  get_filename_component(logStem "${logArgument}" NAME_WLE)
  set(PLUGIN_DIR "${logStem}.stats")
endif()
set(pluginDir "${WORK_DIR}/${PLUGIN_DIR}")
string(REPLACE "|" ";" dirList "${DIRS}")
foreach(dir IN LISTS dirList)
  file(MAKE_DIRECTORY "${pluginDir}/${dir}")
endforeach()
if(NOT DEFINED STATUS)
  set(STATUS 0)
endif()

execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${argList}
                WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
normalize("${out}" out)
normalize("${err}" err)

if(NOT status STREQUAL STATUS)
  fail("exit status ${status}, expected ${STATUS}\n--- stdout\n${out}\n--- stderr\n${err}")
endif()
if(NOT status EQUAL 0 AND NOT status EQUAL 4 AND NOT out STREQUAL "")
  fail("printed to standard output although it failed:\n${out}")
endif()
if(STDOUT)
  expect_file_text("${STDOUT}" "${out}" "standard output")
endif()
if(STDERR)
  expect_file_text("${STDERR}" "${err}" "standard error")
endif()
# Each text must be there, also beside an expected file: a golden set
# names what it must cover, so that writing it again cannot drop a case.
string(REPLACE "|" ";" needles "${STDERR_CONTAINS}")
foreach(needle IN LISTS needles)
  string(FIND "${err}" "${needle}" at)
  if(at EQUAL -1)
    fail("standard error lacks \"${needle}\":\n${err}")
  endif()
endforeach()
if(ERR_TXT)
  if(NOT EXISTS "${pluginDir}/err.txt")
    fail("wrote no err.txt")
  endif()
  file(READ "${pluginDir}/err.txt" errTxt)
  normalize("${errTxt}" errTxt)
  expect_file_text("${ERR_TXT}" "${errTxt}" "err.txt")
endif()
if(NO_ERR_TXT AND (EXISTS "${pluginDir}/err.txt" OR EXISTS "${pluginDir}/Plugins"))
  fail("${PLUGIN_DIR}/err.txt or ${PLUGIN_DIR}/Plugins exists: the run made its working folder")
endif()
if(WRITTEN)
  string(REPLACE "|" ";" written "${WRITTEN}")
  list(GET written 0 writtenName)
  list(GET written 1 writtenExpected)
  if(NOT EXISTS "${pluginDir}/${writtenName}")
    fail("wrote no ${writtenName}")
  endif()
  file(READ "${pluginDir}/${writtenName}" writtenText)
  normalize("${writtenText}" writtenText)
  expect_file_text("${writtenExpected}" "${writtenText}" "${writtenName}")
endif()
string(REPLACE "|" ";" fileList "${FILES}")
foreach(name IN LISTS fileList)
  if(NOT EXISTS "${pluginDir}/${name}")
    fail("wrote no ${name}")
  endif()
endforeach()
