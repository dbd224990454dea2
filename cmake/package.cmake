# Packs the release: the DLL, logreplay.exe and logcheck.exe beside it, the
# user guide, the licence and the changelog in
# OUT_DIR/Stats-VERSION-win32.zip, and the archive's checksum in
# OUT_DIR/SHA256SUMS. Script mode:
#   cmake -DDLL=<Stats.dll> -DLOGREPLAY=<logreplay.exe> -DLOGCHECK=<logcheck.exe>
#         -DVERSION=<x.y.z> -DSOURCE_DIR=<tree> -DOUT_DIR=<folder> -P package.cmake
# CHANGELOG.txt holds the released sections only: what is in the archive.
# The texts get CR LF line ends: the Notepad of older Windows shows a file
# with bare LF ends as one long line.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/changelog.cmake)

set(name Stats-${VERSION}-win32)
set(stage ${OUT_DIR}/${name})
file(REMOVE_RECURSE ${stage} ${OUT_DIR}/${name}.zip ${OUT_DIR}/SHA256SUMS)
file(MAKE_DIRECTORY ${stage})
file(COPY_FILE ${DLL} ${stage}/Stats.dll)
file(COPY_FILE ${LOGREPLAY} ${stage}/logreplay.exe)
file(COPY_FILE ${LOGCHECK} ${stage}/logcheck.exe)

foreach(pair "docs/user-guide.txt|README.txt" "LICENSE|LICENSE.txt"
             "CHANGELOG.md|CHANGELOG.txt")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  if(from STREQUAL "CHANGELOG.md")
    stats_read_changelog(${SOURCE_DIR}/${from} changelog)
    set(text "${changelog_RELEASED_TEXT}")
  else()
    file(READ ${SOURCE_DIR}/${from} text)
  endif()
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${stage}/${to} "${text}")
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${name}.zip --format=zip
          Stats.dll logreplay.exe logcheck.exe README.txt LICENSE.txt CHANGELOG.txt
  WORKING_DIRECTORY ${stage}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot write ${OUT_DIR}/${name}.zip")
endif()
file(SHA256 ${OUT_DIR}/${name}.zip sum)
file(WRITE ${OUT_DIR}/SHA256SUMS "${sum}  ${name}.zip\n")
file(REMOVE_RECURSE ${stage})
