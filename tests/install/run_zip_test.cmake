# Packs the Windows build into its ZIP with cpack, unpacks it, builds the
# consumer program against the unpacked package with the cross compiler,
# and runs it under wine with the package's DLL beside it; then runs the
# package's tool on an example page, and asks it for serve, the editor.
# Arguments: BUILD_DIR, SOURCE_DIR, WORK_DIR, CONSUMER_DIR, TOOLCHAIN,
# EMULATOR, CONFIG.

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)
run(${CMAKE_CPACK_COMMAND} -G ZIP -C ${CONFIG}
    --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR})
file(GLOB zip ${WORK_DIR}/htmlmemdoc-*-windows-x86_64.zip)
if(NOT zip)
  message(FATAL_ERROR "cpack made no ZIP in ${WORK_DIR}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip}
  WORKING_DIRECTORY ${WORK_DIR}/unpacked RESULT_VARIABLE status)
file(GLOB prefix LIST_DIRECTORIES true ${WORK_DIR}/unpacked/htmlmemdoc-*)
foreach(required bin/htmlmemdoc.dll bin/htmlmemdoc.exe lib/htmlmemdoc.dll.a
                 include/htmlmemdoc/htmlmemdoc.h include/htmlmemdoc/version.h
                 lib/cmake/htmlmemdoc/htmlmemdocConfig.cmake
                 share/doc/htmlmemdoc/README.md)
  if(NOT EXISTS ${prefix}/${required})
    message(FATAL_ERROR "not in the ZIP: ${required}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/consumer
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
    -Dhtmlmemdoc_DIR=${prefix}/lib/cmake/htmlmemdoc -DCMAKE_BUILD_TYPE=${CONFIG})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
file(COPY ${prefix}/bin/htmlmemdoc.dll DESTINATION ${WORK_DIR}/consumer)
run(${EMULATOR} ${WORK_DIR}/consumer/consumer.exe)

execute_process(
  COMMAND ${EMULATOR} ${prefix}/bin/htmlmemdoc.exe show
    ${SOURCE_DIR}/examples/welcome.htm
  OUTPUT_VARIABLE shown RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT shown MATCHES "Welcome to the garden club")
  message(FATAL_ERROR "the ZIP's tool did not show the example (${status}):"
                      "\n${shown}")
endif()
execute_process(COMMAND ${EMULATOR} ${prefix}/bin/htmlmemdoc.exe serve --help
  OUTPUT_VARIABLE shown RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT shown MATCHES "--port")
  message(FATAL_ERROR "the ZIP's tool has no serve (${status}):\n${shown}")
endif()
