# htmlmemdoc_test(NAME SOURCES...) builds one GoogleTest program from the
# given test sources, links it with the library's objects (so internal
# functions are reachable whether the library is shared or static) and
# registers every test case with CTest.

find_package(GTest REQUIRED)
include(GoogleTest)

function(htmlmemdoc_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE htmlmemdoc_objects GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE HTMLMEMDOC_STATIC)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS unit
    DISCOVERY_TIMEOUT 60)
endfunction()
