# Compares `logreplay dump FILE` with the records that an independent ADIF
# reader, the npm package adif-parser-ts, finds in the same file. Installs
# the package into NPM_DIR first unless that exact version is there. Fails,
# never skips, when node or npm are missing or the install fails. Script mode:
#   cmake -DPROGRAM=<logreplay> [-DEMULATOR=<wine-run.sh>] -DNODE=<node>
#         -DNPM=<npm> -DNPM_DIR=<folder> -DPACKAGE_VERSION=<version>
#         -DSCRIPT=<adif_dump.js> -DFILE=<file.adi> -DRECORDS=<count>
#         -P crosscheck_adif.cmake

cmake_minimum_required(VERSION 3.25)

set(package "${NPM_DIR}/node_modules/adif-parser-ts/package.json")
set(installed "")
if(EXISTS "${package}")
  file(READ "${package}" manifest)
  string(JSON installed ERROR_VARIABLE ignored GET "${manifest}" version)
endif()
if(NOT installed STREQUAL PACKAGE_VERSION)
  if(NOT NPM)
    message(FATAL_ERROR "npm is needed to install adif-parser-ts (apt-get install npm)")
  endif()
  file(MAKE_DIRECTORY "${NPM_DIR}")
  execute_process(COMMAND "${NPM}" install --prefix "${NPM_DIR}" --no-save --no-audit
                          --no-fund --no-package-lock "adif-parser-ts@${PACKAGE_VERSION}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT EXISTS "${package}")
    message(FATAL_ERROR "npm install adif-parser-ts@${PACKAGE_VERSION} failed (${status}):\n"
                        "${out}${err}")
  endif()
endif()
if(NOT NODE)
  message(FATAL_ERROR "node is needed to run adif-parser-ts")
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
  file(WRITE "${NPM_DIR}/reference.jsonl" "${reference}")
  file(WRITE "${NPM_DIR}/dump.jsonl" "${dump}")
  message(FATAL_ERROR "the records of ${FILE} differ between logreplay dump and "
                      "adif-parser-ts; compare ${NPM_DIR}/dump.jsonl with "
                      "${NPM_DIR}/reference.jsonl")
endif()
message(STATUS "${count} records of ${FILE} read alike")
