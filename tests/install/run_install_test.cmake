# Installs the build into a fresh prefix, then builds and runs the consumer
# program against it twice: through find_package and through pkg-config.
# Then the same against a static build of the library made from SOURCE_DIR
# (pkg-config --static).
# Arguments: BUILD_DIR, SOURCE_DIR, WORK_DIR, CONSUMER_DIR, CXX_FLAGS,
# LINKER_FLAGS, CONFIG, TOOL (whether the command and its man page were
# built, and so must be installed).

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)

file(REMOVE_RECURSE ${WORK_DIR})

# Builds and runs the consumer against the package installed in `prefix`,
# through find_package and through pkg-config (with `pc_options`).
function(test_consumers prefix name pc_options)
  foreach(required include/htmlmemdoc/htmlmemdoc.h
                   include/htmlmemdoc/version.h)
    if(NOT EXISTS ${prefix}/${required})
      message(FATAL_ERROR "not installed: ${required}")
    endif()
  endforeach()
  run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/${name}
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${CONFIG}
      "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
  run(${CMAKE_COMMAND} --build ${WORK_DIR}/${name})
  run(${WORK_DIR}/${name}/consumer)

  file(GLOB_RECURSE pc_files ${prefix}/*/htmlmemdoc.pc)
  list(GET pc_files 0 pc_file)
  get_filename_component(pc_dir ${pc_file} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  execute_process(COMMAND pkg-config ${pc_options} --cflags --libs htmlmemdoc
    OUTPUT_VARIABLE pc_flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know htmlmemdoc")
  endif()
  separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
  separate_arguments(extra_flags UNIX_COMMAND "${CXX_FLAGS} ${LINKER_FLAGS}")
  get_filename_component(libdir ${pc_dir} DIRECTORY)
  run(c++ -std=c++17 ${extra_flags} ${CONSUMER_DIR}/main.cpp ${pc_flags}
      -Wl,-rpath,${libdir} -o ${WORK_DIR}/${name}_pc)
  run(${WORK_DIR}/${name}_pc)
endfunction()

set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --config ${CONFIG})
if(TOOL AND NOT EXISTS ${prefix}/bin/htmlmemdoc)
  message(FATAL_ERROR "not installed: bin/htmlmemdoc")
endif()
test_consumers(${prefix} shared "")

# The guide's examples, built on their own against the package as the
# getting-started guide builds them.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/examples
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${CONFIG}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/examples --parallel 2)
run(${WORK_DIR}/examples/example_first_program ${SOURCE_DIR}/examples/welcome.htm)
if(TOOL AND NOT EXISTS ${prefix}/share/man/man1/htmlmemdoc.1)
  find_program(pandoc pandoc)
  if(pandoc)
    message(FATAL_ERROR "not installed: share/man/man1/htmlmemdoc.1")
  endif()
endif()

# The library alone, static.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/static_build
    -DBUILD_SHARED_LIBS=OFF -DHTMLMEMDOC_BUILD_TESTS=OFF
    -DHTMLMEMDOC_BUILD_TOOL=OFF -DHTMLMEMDOC_BUILD_PYTHON=OFF -DCMAKE_BUILD_TYPE=${CONFIG}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/static_build --parallel 2)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/static_build
    --prefix ${WORK_DIR}/static_prefix --config ${CONFIG})
test_consumers(${WORK_DIR}/static_prefix static --static)
