# Cross build of the 32-bit Windows DLL with Debian's MinGW-w64; the tests run
# under Wine through the cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The compilers' thread model. posix gives std::thread and std::mutex, which
# GoogleTest needs; win32 leaves the POSIX thread layer out of the C++
# library, for the DLL that ships (mingw-i686-release.cmake).
if(NOT DEFINED STATS_MINGW_THREADS)
  set(STATS_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${STATS_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${STATS_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
