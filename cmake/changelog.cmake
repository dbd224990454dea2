# Reads CHANGELOG.md: a title, then one "## " section per release, newest
# first ("## 1.1.0 — 2026-12-08"), with at most one "## Unreleased" section
# above them for changes not yet released. Included by the root
# CMakeLists.txt, cmake/package.cmake and cmake/release_check.cmake.

# stats_read_changelog(<file> <prefix>) sets in the caller:
#   <prefix>_TOP_VERSION      the version of the first released section, or
#                             empty when there is none
#   <prefix>_UNRELEASED       the number of entries ("- " lines) of the
#                             Unreleased section, 0 when there is none
#   <prefix>_RELEASED_TEXT    the text without the Unreleased section
function(stats_read_changelog file prefix)
  file(READ "${file}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  # A line break in front, so that the first line is found like the others.
  set(text "\n${text}")

  set(entries 0)
  string(FIND "${text}" "\n## Unreleased" start)
  if(start GREATER -1)
    math(EXPR sectionStart "${start} + 1")
    string(SUBSTRING "${text}" 0 ${sectionStart} head)
    string(SUBSTRING "${text}" ${sectionStart} -1 rest)
    string(FIND "${rest}" "\n## " next)
    if(next EQUAL -1)
      set(section "${rest}")
      set(tail "")
    else()
      math(EXPR tailStart "${next} + 1")
      string(SUBSTRING "${rest}" 0 ${tailStart} section)
      string(SUBSTRING "${rest}" ${tailStart} -1 tail)
    endif()
    string(REGEX MATCHALL "\n- " bullets "${section}")
    list(LENGTH bullets entries)
    set(text "${head}${tail}")
  endif()

  set(version "")
  if(text MATCHES "\n## ([0-9]+\\.[0-9]+\\.[0-9]+)[^\n]*\n")
    set(version "${CMAKE_MATCH_1}")
  endif()
  string(SUBSTRING "${text}" 1 -1 text)

  set(${prefix}_TOP_VERSION "${version}" PARENT_SCOPE)
  set(${prefix}_UNRELEASED ${entries} PARENT_SCOPE)
  set(${prefix}_RELEASED_TEXT "${text}" PARENT_SCOPE)
endfunction()

# stats_read_project_version(<CMakeLists.txt> <var>): the version of its
# project(Stats VERSION ...) call, for scripts that do not configure.
function(stats_read_project_version file var)
  file(READ "${file}" text)
  if(NOT text MATCHES "project\\(Stats VERSION ([0-9]+\\.[0-9]+\\.[0-9]+)")
    message(FATAL_ERROR "${file}: no project(Stats VERSION x.y.z)")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
