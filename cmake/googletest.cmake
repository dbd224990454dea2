# GoogleTest built from its sources with this build's compiler (the cross
# compiler too) and flags (the sanitizers too): Debian's googletest package
# puts them in /usr/src/googletest; STATS_GOOGLETEST_SOURCE names another
# folder.
find_path(STATS_GOOGLETEST_SOURCE googletest/include/gtest/gtest.h
          PATHS /usr/src/googletest NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          DOC "GoogleTest's source folder (the one with googletest/ inside)")
if(NOT EXISTS "${STATS_GOOGLETEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest's sources not found: install googletest "
                      "(sh scripts/install-deps.sh test) or give their folder as "
                      "-DSTATS_GOOGLETEST_SOURCE=<folder>")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# Its warnings are not ours to fix: STATS_WERROR stops at our code.
set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
add_subdirectory(${STATS_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(CMAKE_COMPILE_WARNING_AS_ERROR ${STATS_WERROR})
