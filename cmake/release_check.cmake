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
  set(problem "CHANGELOG.md still lists changes under Unreleased (${changelog_UNRELEASED}): "
              "move them into the section of version ${version} first")
elseif(NOT changelog_TOP_VERSION STREQUAL version)
  set(problem "CHANGELOG.md's latest release is '${changelog_TOP_VERSION}', "
              "CMakeLists.txt's version ${version}")
endif()
if(DEFINED problem)
  string(CONCAT problem ${problem})
  message("${problem}")
endif()
