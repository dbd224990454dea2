# The download as a contester gets it: unpacks the archive into a fresh
# folder, checks what it holds, the DLL's size and the changelog, loads that
# DLL through the contract tests under Wine for one scenario and the version
# resource, and scores the sample log with the archive's logreplay.exe and
# DLL: as it is, and as журнал.adi with the two files in a folder named in
# Cyrillic and the report page written beside the log. Script mode:
#   cmake -DARCHIVE=<zip> -DVERSION=<x.y.z> -DWORK_DIR=<folder>
#         -DEMULATOR=<wine-run.sh> -DCONTRACT_TESTS=<contract_tests.exe>
#         -DOPERATOR=<dialog_operator.exe> -DLOG=<sample.adi>
#         -DSAMPLE_STDOUT=<its expected output> -DRUN_LOGREPLAY=<run_logreplay.cmake>
#         -DLOGCHECK_DATA=<the mini-contest> -DRUN_LOGCHECK=<run_logcheck.cmake>
#         -P release_archive_test.cmake

cmake_minimum_required(VERSION 3.25)

set(kMaxDllBytes 512000)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ARCHIVE}
                WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ARCHIVE}")
endif()

file(GLOB_RECURSE contents RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
list(SORT contents)
set(expected CHANGELOG.txt LICENSE.txt README.txt Stats.dll logcheck.exe logreplay.exe)
if(NOT contents STREQUAL expected)
  message(FATAL_ERROR "the archive holds '${contents}', expected '${expected}'")
endif()

file(SIZE ${WORK_DIR}/Stats.dll size)
if(size GREATER kMaxDllBytes)
  message(FATAL_ERROR "Stats.dll has ${size} bytes, more than ${kMaxDllBytes}")
endif()

# The programs tell their version in their properties, as the DLL does:
# the version resource's strings are UTF-16.
foreach(exe logreplay.exe logcheck.exe)
  file(STRINGS ${WORK_DIR}/${exe} exeStrings ENCODING UTF-16LE
       REGEX "^([a-z]+\\.exe|[0-9]+\\.[0-9]+\\.[0-9]+)$")
  if(NOT exe IN_LIST exeStrings OR NOT VERSION IN_LIST exeStrings)
    message(FATAL_ERROR "${exe} has no version resource of ${VERSION}: '${exeStrings}'")
  endif()
endforeach()

# Read as bytes: CMake's text reading drops the CR of CR LF.
file(READ ${WORK_DIR}/README.txt guide HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${guide}")
string(REPLACE "0d 0a " "" bareEnds "${bytes}")
if(bytes STREQUAL bareEnds OR bareEnds MATCHES "(^| )0a ")
  message(FATAL_ERROR "README.txt does not end its lines with CR LF")
endif()

file(READ ${WORK_DIR}/CHANGELOG.txt changelog)
string(FIND "${changelog}" "\n## " firstSection)
string(FIND "${changelog}" "\n## ${VERSION} " versionSection)
if(changelog MATCHES "Unreleased" OR firstSection EQUAL -1
   OR NOT firstSection EQUAL versionSection)
  message(FATAL_ERROR "CHANGELOG.txt does not start with the section of ${VERSION} "
                      "or tells of unreleased changes")
endif()

execute_process(
  COMMAND ${EMULATOR} ${CONTRACT_TESTS} ${WORK_DIR}/Stats.dll
          --gtest_filter=ContractTest.WorkedExampleScores295:Win32Exports.*
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the contract tests fail on the unpacked Stats.dll")
endif()

# Standard output and the files as tools/tests/run_logreplay.cmake checks
# them. Under this locale Wine's ANSI code page has no Cyrillic: only the
# wide-character calls find these files.
set(ENV{LC_ALL} C.UTF-8)
set(common -DEMULATOR=${EMULATOR} -DVERSION=${VERSION} -DLOG=${LOG}
    "-DARGS=score|sample.adi|--group-field|APP_UT_GROUP|--own-group|G3")
function(run_logreplay)
  execute_process(COMMAND ${CMAKE_COMMAND} ${ARGV} -P ${RUN_LOGREPLAY} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "logreplay.exe of the archive fails: ${ARGV}")
  endif()
endfunction()
run_logreplay(-DPROGRAM=${WORK_DIR}/logreplay.exe -DWORK_DIR=${WORK_DIR}/sample ${common}
              -DSTDOUT=${SAMPLE_STDOUT})

set(programDir ${WORK_DIR}/Програма)
set(logDir ${WORK_DIR}/Звіт)
file(MAKE_DIRECTORY ${programDir})
file(COPY ${WORK_DIR}/logreplay.exe ${WORK_DIR}/Stats.dll DESTINATION ${programDir})
file(COPY_FILE ${LOG} ${WORK_DIR}/журнал.adi)
file(READ ${SAMPLE_STDOUT} expected)
string(REPLACE "sample.stats" "журнал.stats" expected "${expected}")
file(WRITE ${WORK_DIR}/report.stdout "${expected}"
     "Cabrillo log: File produced: UT9ZZQ.cbr in @WORKDIR@/журнал.stats\n"
     "Report: @WORKDIR@/звіт.html\n")
# The operator presses OK in the Cabrillo header dialog and in the notice.
string(REPLACE "/" "\\" program "Z:${programDir}/logreplay.exe")
run_logreplay(-DPROGRAM=${OPERATOR} -DEMULATOR=${EMULATOR}
              -DWORK_DIR=${logDir} -DVERSION=${VERSION} -DLOG=${WORK_DIR}/журнал.adi
              "-DARGS=${program}|score|журнал.adi|--group-field|APP_UT_GROUP|--own-group|G3|\
--report|звіт.html"
              -DSTDOUT=${WORK_DIR}/report.stdout -DPLUGIN_DIR=журнал.stats
              "-DFILES=../звіт.html|UT9ZZQ.cbr|err.txt")
# The archive's logcheck.exe checks the mini-contest as the native build does.
execute_process(COMMAND ${CMAKE_COMMAND} -DPROGRAM=${WORK_DIR}/logcheck.exe -DEMULATOR=${EMULATOR}
                        -DWORK_DIR=${WORK_DIR}/logcheck -DDATA=${LOGCHECK_DATA} -DVERSION=${VERSION}
                        -P ${RUN_LOGCHECK}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "logcheck.exe of the archive fails on the mini-contest")
endif()
message(STATUS "Stats.dll: ${size} bytes, loads and scores from the archive; "
               "logreplay.exe scores the sample there and in a folder named in Cyrillic; "
               "logcheck.exe checks the mini-contest")
