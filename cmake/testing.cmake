# htmlmemdoc_test(NAME SOURCES...) builds one GoogleTest program from the
# given test sources, links it with the library's objects (so internal
# functions are reachable whether the library is shared or static) and
# registers every test case with CTest.

if(CMAKE_CROSSCOMPILING)
  # Debian's googletest package holds the sources: built for the target.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(shared ${BUILD_SHARED_LIBS})
  set(BUILD_SHARED_LIBS OFF)  # static, as the test programs are
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest
    EXCLUDE_FROM_ALL)
  set(BUILD_SHARED_LIBS ${shared})
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(htmlmemdoc_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE htmlmemdoc_objects GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE HTMLMEMDOC_STATIC)
  # Under an emulator the program is listed when the tests run, not when
  # it is built.
  set(mode POST_BUILD)
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS unit
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE ${mode})
endfunction()
