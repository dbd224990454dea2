# The download as a contester gets it: unpacks the archive into a fresh
# folder, checks what it holds and the DLL's size, and loads that DLL
# through the contract tests under Wine for one scenario and the version
# resource. Script mode:
#   cmake -DARCHIVE=<zip> -DWORK_DIR=<folder> -DEMULATOR=<wine-run.sh>
#         -DCONTRACT_TESTS=<contract_tests.exe> -P release_archive_test.cmake

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
set(expected CHANGELOG.txt LICENSE.txt README.txt Stats.dll)
if(NOT contents STREQUAL expected)
  message(FATAL_ERROR "the archive holds '${contents}', expected '${expected}'")
endif()

file(SIZE ${WORK_DIR}/Stats.dll size)
if(size GREATER kMaxDllBytes)
  message(FATAL_ERROR "Stats.dll has ${size} bytes, more than ${kMaxDllBytes}")
endif()

# Read as bytes: CMake's text reading drops the CR of CR LF.
file(READ ${WORK_DIR}/README.txt guide HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${guide}")
string(REPLACE "0d 0a " "" bareEnds "${bytes}")
if(bytes STREQUAL bareEnds OR bareEnds MATCHES "(^| )0a ")
  message(FATAL_ERROR "README.txt does not end its lines with CR LF")
endif()

execute_process(
  COMMAND ${EMULATOR} ${CONTRACT_TESTS} ${WORK_DIR}/Stats.dll
          --gtest_filter=ContractTest.WorkedExampleScores295:Win32Exports.*
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the contract tests fail on the unpacked Stats.dll")
endif()
message(STATUS "Stats.dll: ${size} bytes, loads and scores from the archive")
