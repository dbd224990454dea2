# A Cabrillo log the plug-in wrote, scored again: the same results and the
# same Cabrillo log as the ADIF log it came from. Script mode:
#   cmake -DPROGRAM=<logreplay> -DWORK_DIR=<folder> -DLOG=<ADIF log>
#         -DADIF_ARGS=<options for the ADIF run, '|'-separated>
#         -DCABRILLO_ARGS=<options for the Cabrillo run, '|'-separated>
#         -P cabrillo_round_trip.cmake
# Both runs write the plug-in's Cabrillo log (--cabrillo) in their working
# folder plugin/; the second reads the first one's under another name. The settings blocks and the count of
# QSOs offered may differ (the Cabrillo log holds the stored QSOs only).

cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT what ${ARGV})
  message(FATAL_ERROR "round trip of ${LOG}: ${what}")
endfunction()

# Runs logreplay in `dir` and leaves its standard output in `out`.
function(score dir arguments out)
  string(REPLACE "|" ";" argList "${arguments}")
  execute_process(COMMAND "${PROGRAM}" score ${argList} --cabrillo --work plugin
                  WORKING_DIRECTORY "${dir}" INPUT_FILE /dev/null
                  RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT status EQUAL 0)
    fail("logreplay score ${arguments}: status ${status}\n${stdout}\n${stderr}")
  endif()
  if(stderr MATCHES "claimed score")
    fail("the plug-in's score differs from the log's claim:\n${stderr}")
  endif()
  set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

function(written_cbr dir out)
  file(GLOB written "${dir}/plugin/*.cbr")
  list(LENGTH written count)
  if(NOT count EQUAL 1)
    fail("expected one Cabrillo log written in ${dir}, found: ${written}")
  endif()
  set(${out} "${written}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/adif" "${WORK_DIR}/cabrillo")
file(COPY "${LOG}" DESTINATION "${WORK_DIR}/adif")
get_filename_component(logName "${LOG}" NAME)
score("${WORK_DIR}/adif" "${logName}|${ADIF_ARGS}" adifOut)
written_cbr("${WORK_DIR}/adif" adifCbr)
file(COPY_FILE "${adifCbr}" "${WORK_DIR}/cabrillo/input.cbr")
score("${WORK_DIR}/cabrillo" "input.cbr|${CABRILLO_ARGS}" cabrilloOut)
written_cbr("${WORK_DIR}/cabrillo" cabrilloCbr)

# The plug-in's results text: from its title line to its credit line.
foreach(run adif cabrillo)
  string(REGEX MATCH "\t\tCQ UT  Contest\n.*\nStats plug-in [^\n]*\n" ${run}Results "${${run}Out}")
  if(${run}Results STREQUAL "")
    fail("no results text in:\n${${run}Out}")
  endif()
endforeach()
if(NOT adifResults STREQUAL cabrilloResults)
  fail("the results differ\n--- from ADIF\n${adifResults}\n--- from Cabrillo\n${cabrilloResults}")
endif()
file(READ "${adifCbr}" adifText)
file(READ "${cabrilloCbr}" cabrilloText)
if(NOT adifText STREQUAL cabrilloText)
  fail("the Cabrillo logs differ\n--- from ADIF\n${adifText}\n--- from Cabrillo\n${cabrilloText}")
endif()
if(NOT adifText MATCHES "\nQSO: ")
  fail("the Cabrillo log holds no QSO line:\n${adifText}")
endif()
