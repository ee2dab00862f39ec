# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threading flavour, which has std::thread) and runs what the build runs
# (tests, test discovery) under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs and the DLL carry their C and C++ runtime and threads library,
# so they need no other DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
find_program(HTMLMEMDOC_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(HTMLMEMDOC_WINE NAMES wine wine64)
# Programs run through a wrapper that runs one again when wine itself
# fails ("wine client error"); the end-to-end tests, which start wine
# many times, are run through it as a whole (tests/CMakeLists.txt).
get_filename_component(HTMLMEMDOC_WINE_RERUN
  ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/rerun_on_wine_fault.sh ABSOLUTE)
if(HTMLMEMDOC_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HTMLMEMDOC_WINE_RERUN} ${HTMLMEMDOC_WINE})
endif()
