# The Stats.dll that ships: the cross build without GoogleTest, so the
# compilers of the win32 thread model will do.
set(STATS_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
