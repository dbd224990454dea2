# Runs logcheck on the mini-contest in logcheck/ and checks what it wrote.
# Script mode:
#   cmake -DPROGRAM=<logcheck> [-DEMULATOR=<wine-run.sh>] -DWORK_DIR=<folder>
#         -DDATA=<tools/testdata/logcheck> -DVERSION=<X.Y.Z> -P run_logcheck.cmake
# verdicts.csv, logs.csv and two reports (an entrant's, a checklog's) must
# equal the expected files byte for byte, and logs.csv with --penalty 2;
# the logs named one by one in reverse order must give the same files; in
# every log QSOs = credited + removed, and verdicts.csv has a row for each;
# a second run replaces the folder it wrote, and a folder with a file it
# did not write is refused with nothing written, as is one with a file
# logcheck wrote changed since; a report the second thread cannot write
# ends with status 4; --version.

cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT what ${ARGV})
  message(FATAL_ERROR "logcheck: ${what}")
endfunction()

# Runs logcheck in WORK_DIR with the arguments given; sets `status`, `out`
# and `err` in the caller.
function(run_logcheck)
  execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGV} --group-map groups.txt
                  WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                  RESULT_VARIABLE s OUTPUT_VARIABLE o ERROR_VARIABLE e)
  set(status "${s}" PARENT_SCOPE)
  set(out "${o}" PARENT_SCOPE)
  set(err "${e}" PARENT_SCOPE)
endfunction()

function(expect_status expected)
  if(NOT status STREQUAL expected)
    fail("exit status ${status}, expected ${expected}\n--- stdout\n${out}\n--- stderr\n${err}")
  endif()
endfunction()

# With the environment's STATS_UPDATE_EXPECTED set (scripts/update-expected.sh)
# a file that differs replaces the expected one instead of failing.
function(expect_same_file expected actual)
  file(READ "${expected}" a HEX)
  file(READ "${actual}" b HEX)
  if(NOT a STREQUAL b AND DEFINED ENV{STATS_UPDATE_EXPECTED} AND expected MATCHES "^${DATA}/")
    file(COPY_FILE "${actual}" "${expected}")
    message(STATUS "updated ${expected}")
  elseif(NOT a STREQUAL b)
    file(READ "${expected}" textA)
    file(READ "${actual}" textB)
    fail("${actual} differs from ${expected}\n--- expected\n${textA}\n--- actual\n${textB}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${DATA}/logs" "${DATA}/groups.txt" DESTINATION "${WORK_DIR}")

run_logcheck(logs --out out)
expect_status(0)
# The mini-contest holds every verdict: a rules change that loses one fails
# here rather than passing with a smaller golden file.
foreach(verdict confirmed time-mismatch unconfirmed unique busted-call busted-exchange nil
        band-mismatch mode-mismatch dupe outside-contest unreadable)
  if(NOT out MATCHES "\n  ${verdict} +[1-9]")
    fail("the summary counts no ${verdict}:\n${out}")
  endif()
endforeach()
foreach(name verdicts.csv logs.csv reports/UT1AA.txt reports/UT5EE.txt)
  expect_same_file("${DATA}/${name}" "${WORK_DIR}/out/${name}")
endforeach()
# Each busted call and nil costs twice its points, as the plug-in gave them.
run_logcheck(logs --out penalty --penalty 2)
expect_status(0)
expect_same_file("${DATA}/logs_penalty2.csv" "${WORK_DIR}/penalty/logs.csv")
foreach(text "Clock corrections: UT4DD +10 min;" "empty.log: the log holds no QSO lines"
             "notes.txt: not a Cabrillo log")
  string(FIND "${out}" "${text}" at)
  if(at EQUAL -1)
    fail("the summary lacks \"${text}\":\n${out}")
  endif()
endforeach()
string(FIND "${err}" "ut3cc-first.log: a later log of UT3CC" at)
if(at EQUAL -1)
  fail("no warning that ut3cc.log replaces ut3cc-first.log:\n${err}")
endif()

# Each log: QSOs = credited + removed, and one verdict row per QSO.
file(STRINGS "${WORK_DIR}/out/logs.csv" rows)
file(STRINGS "${WORK_DIR}/out/verdicts.csv" verdicts)
list(POP_FRONT rows)
foreach(row IN LISTS rows)
  string(REPLACE "," ";" fields "${row}")
  list(GET fields 0 log)
  list(GET fields 3 qsos)
  list(GET fields 4 credited)
  list(GET fields 5 removed)
  math(EXPR sum "${credited} + ${removed}")
  if(NOT sum EQUAL qsos)
    fail("${log}: ${qsos} QSOs, ${credited} credited + ${removed} removed")
  endif()
  list(FILTER verdicts INCLUDE REGEX "^${log},")
  list(LENGTH verdicts lines)
  file(STRINGS "${WORK_DIR}/out/verdicts.csv" verdicts)
  if(NOT lines EQUAL qsos)
    fail("${log}: ${qsos} QSOs but ${lines} rows in verdicts.csv")
  endif()
endforeach()

# The same logs named one by one, in reverse order.
file(GLOB logs RELATIVE "${WORK_DIR}" "${WORK_DIR}/logs/*.log")
list(SORT logs)
list(REVERSE logs)
run_logcheck(${logs} --out reversed)
expect_status(0)
file(GLOB_RECURSE written RELATIVE "${WORK_DIR}/out" "${WORK_DIR}/out/*.csv"
     "${WORK_DIR}/out/*.html" "${WORK_DIR}/out/reports/*.txt")
foreach(name IN LISTS written)
  expect_same_file("${WORK_DIR}/out/${name}" "${WORK_DIR}/reversed/${name}")
endforeach()

# An entrant with no credited QSO scores nothing: UT7AA's one QSO is not in
# UT4DD's log (a nil), and the plug-in is offered none of it.
file(WRITE "${WORK_DIR}/pair/ut7aa.log"
     "START-OF-LOG: 3.0\nCALLSIGN: UT7AA\nCATEGORY-OPERATOR: SINGLE-OP\n"
     "QSO: 14025 CW 2026-12-19 1340 UT7AA  599 001 KI UT4DD  599 007 CH\nEND-OF-LOG:\n")
file(COPY "${DATA}/logs/ut4dd.log" DESTINATION "${WORK_DIR}/pair")
run_logcheck(pair --out pair-out)
expect_status(0)
file(STRINGS "${WORK_DIR}/pair-out/logs.csv" rows REGEX "^ut7aa[.]log,")
if(NOT rows MATCHES ",1,0,1,0,,[1-9][0-9]*,0$")
  fail("UT7AA: expected 1 QSO, none credited, a plug-in score of all QSOs and a "
       "checked score of 0:\n${rows}")
endif()

# Its own folder again; then a folder holding someone else's file.
run_logcheck(logs --out out)
expect_status(0)
expect_same_file("${DATA}/verdicts.csv" "${WORK_DIR}/out/verdicts.csv")

file(WRITE "${WORK_DIR}/foreign/keep.txt" "not logcheck's\n")
run_logcheck(logs --out foreign)
expect_status(2)
string(FIND "${err}" "holds files logcheck did not write" at)
if(at EQUAL -1 OR NOT out STREQUAL "")
  fail("a foreign folder: expected a refusal and nothing on stdout\n${out}\n${err}")
endif()
file(GLOB foreign RELATIVE "${WORK_DIR}/foreign" "${WORK_DIR}/foreign/*")
if(NOT foreign STREQUAL "keep.txt")
  fail("wrote into a folder it did not own: ${foreign}")
endif()

# A copy of that folder, changed: a file logcheck wrote edited (links are
# the unit test's), a report that the second thread cannot write (UT2BB's,
# the second log's).
# name | shell command in the copy | exit status | words on standard error
set(changes
  "edited|echo x >> reports/UT1AA.txt|2|reports/UT1AA.txt: changed since logcheck wrote it"
  "report_unwritable|sed -i '/UT2BB.html$/d' written-by-logcheck.txt && rm reports/UT2BB.html \
&& mkdir reports/UT2BB.html|4|an output could not be written in full")
foreach(change IN LISTS changes)
  string(REPLACE "|" ";" parts "${change}")
  list(GET parts 0 name)
  list(GET parts 1 command)
  list(GET parts 2 expected)
  list(GET parts 3 words)
  set(dir "${WORK_DIR}/changed/${name}")
  file(MAKE_DIRECTORY "${dir}")
  execute_process(COMMAND cp -R "${WORK_DIR}/out" "${dir}/out")
  execute_process(COMMAND sh -c "${command}" WORKING_DIRECTORY "${dir}/out" RESULT_VARIABLE made)
  if(NOT made EQUAL 0)
    fail("${name}: cannot prepare the case with \"${command}\"")
  endif()
  file(GLOB_RECURSE before LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  run_logcheck(logs --out changed/${name}/out)
  string(FIND "${err}" "logcheck: --out changed/${name}/out: ${words}" at)
  if(NOT status STREQUAL expected OR at EQUAL -1)
    fail("${name}: exit status ${status}, expected ${expected} and \"${words}\"\n${err}")
  endif()
  file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  if(expected EQUAL 2 AND NOT before STREQUAL after)
    fail("${name}: refused, but files changed: ${before} -> ${after}")
  endif()
endforeach()

# --version: the program's name and the project's version.
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --version RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "logcheck ${VERSION}\n")
  fail("--version: status ${status}, \"${out}\", expected \"logcheck ${VERSION}\"")
endif()
