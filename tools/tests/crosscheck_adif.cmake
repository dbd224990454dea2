# Compares `logreplay dump FILE` with the records that an independent ADIF
# reader, the npm package adif-parser-ts, finds in the same file. The
# package comes at the version of MANIFEST (tools/tests/package.json)
# from NPM_DIR, where sh scripts/install-deps.sh test installs it; this
# fetches nothing, and fails, never skips, when node or the package is
# missing. Script mode:
#   cmake -DPROGRAM=<logreplay> [-DEMULATOR=<wine-run.sh>] -DNODE=<node>
#         -DNPM_DIR=<folder> -DMANIFEST=<package.json> -DWORK_DIR=<folder>
#         -DSCRIPT=<adif_dump.js> -DFILE=<file.adi> -DRECORDS=<count>
#         -P crosscheck_adif.cmake

cmake_minimum_required(VERSION 3.25)

set(install "sh scripts/install-deps.sh test")
if(NOT NODE)
  message(FATAL_ERROR "install node: ${install}")
endif()
file(READ "${MANIFEST}" manifest)
string(JSON wanted GET "${manifest}" dependencies adif-parser-ts)
set(package "${NPM_DIR}/node_modules/adif-parser-ts/package.json")
set(installed "none")
if(EXISTS "${package}")
  file(READ "${package}" manifest)
  string(JSON installed ERROR_VARIABLE ignored GET "${manifest}" version)
endif()
if(NOT installed STREQUAL wanted)
  message(FATAL_ERROR "install adif-parser-ts ${wanted}: ${install}\n"
                      "(${NPM_DIR} holds version ${installed})")
endif()

set(ENV{NODE_PATH} "${NPM_DIR}/node_modules")
execute_process(COMMAND "${NODE}" "${SCRIPT}" "${FILE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE reference ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "adif-parser-ts could not read ${FILE} (${status}):\n${err}")
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" dump "${FILE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE dump ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "logreplay dump ${FILE} failed (${status}):\n${err}")
endif()
string(REPLACE "\r\n" "\n" dump "${dump}")

string(REGEX MATCHALL "\n" lineEnds "${reference}")
list(LENGTH lineEnds count)
if(NOT count EQUAL RECORDS)
  message(FATAL_ERROR "adif-parser-ts found ${count} records in ${FILE}, expected ${RECORDS}")
endif()
if(NOT dump STREQUAL reference)
  file(WRITE "${WORK_DIR}/reference.jsonl" "${reference}")
  file(WRITE "${WORK_DIR}/dump.jsonl" "${dump}")
  message(FATAL_ERROR "the records of ${FILE} differ between logreplay dump and "
                      "adif-parser-ts; compare ${WORK_DIR}/dump.jsonl with "
                      "${WORK_DIR}/reference.jsonl")
endif()
message(STATUS "${count} records of ${FILE} read alike")
