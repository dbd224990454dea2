# Whether the tree may be released: CHANGELOG.md has no Unreleased section
# with entries, and its latest release is the project's version. Prints
# nothing if so, else one line that says why not (to standard error).
# Script mode:
#   cmake -DSOURCE_DIR=<tree> -P release_check.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/changelog.cmake)

stats_read_project_version(${SOURCE_DIR}/CMakeLists.txt version)
stats_read_changelog(${SOURCE_DIR}/CHANGELOG.md changelog)
if(changelog_UNRELEASED GREATER 0)
  # A released section is never added to: the changes make a new version.
  string(REGEX MATCH "^([0-9]+)\\.([0-9]+)" _ "${version}")
  math(EXPR nextMinor "${CMAKE_MATCH_2} + 1")
  string(TIMESTAMP today "%Y-%m-%d" UTC)
  set(problem "CHANGELOG.md lists ${changelog_UNRELEASED} changes under Unreleased, which "
              "${version} does not hold: to release them as a new version, turn that heading "
              "into \"## ${CMAKE_MATCH_1}.${nextMinor}.0 — ${today}\" (or another version "
              "after ${version}) and set the same version in CMakeLists.txt's "
              "project(Stats VERSION ...)")
elseif(NOT changelog_TOP_VERSION STREQUAL version)
  set(problem "CHANGELOG.md's latest release is '${changelog_TOP_VERSION}', "
              "CMakeLists.txt's version ${version}")
endif()
if(DEFINED problem)
  string(CONCAT problem ${problem})
  message("${problem}")
endif()
