# cpp-httplib for a Windows build of the editor. Debian's
# libcpp-httplib-dev holds the library compiled for this system only; its
# source package (scripts/setup.sh windows unpacks the version installed,
# Debian's patches applied) holds the one header that is the whole
# library and split.py, which splits it into the declarations and the
# implementation, as Debian's build does. The implementation is compiled
# here for the target as a static library, without TLS or compression (the
# editor answers on 127.0.0.1 only). It waits with select(), not with poll()
# as Debian's build for Linux does: the split header takes back its
# poll() of Windows (WSAPoll) before the implementation, and Windows'
# select() takes a socket of any number. Defines htmlmemdoc_httplib.

execute_process(COMMAND dpkg-query -W -f=\${Version} libcpp-httplib-dev
  OUTPUT_VARIABLE httplib_version ERROR_QUIET)
set(HTMLMEMDOC_HTTPLIB_SOURCE_DIR
  /var/cache/htmlmemdoc/cpp-httplib-${httplib_version}
  CACHE PATH "An unpacked source of cpp-httplib (Debian's source package \
of the version of libcpp-httplib-dev) for the Windows build of the editor")
set(source ${HTMLMEMDOC_HTTPLIB_SOURCE_DIR})
if(NOT EXISTS ${source}/httplib.h OR NOT EXISTS ${source}/split.py)
  message(FATAL_ERROR "HTMLMEMDOC_BUILD_EDITOR for Windows compiles "
    "cpp-httplib from its source, not found in ${source}: run "
    "scripts/setup.sh windows (it unpacks Debian's source package "
    "cpp-httplib, the version of libcpp-httplib-dev, into "
    "/var/cache/htmlmemdoc), set HTMLMEMDOC_HTTPLIB_SOURCE_DIR to such a "
    "source, or set HTMLMEMDOC_BUILD_EDITOR OFF")
endif()
find_program(HTMLMEMDOC_PYTHON3 python3 REQUIRED)

set(split ${PROJECT_BINARY_DIR}/httplib)
add_custom_command(OUTPUT ${split}/httplib.h ${split}/httplib.cc
  COMMAND ${HTMLMEMDOC_PYTHON3} ${source}/split.py --out ${split}
  DEPENDS ${source}/httplib.h ${source}/split.py
  VERBATIM)
add_library(htmlmemdoc_httplib STATIC ${split}/httplib.cc ${split}/httplib.h)
target_include_directories(htmlmemdoc_httplib SYSTEM PUBLIC ${split})
target_compile_options(htmlmemdoc_httplib PRIVATE -w)  # not this project's
target_link_libraries(htmlmemdoc_httplib PUBLIC ws2_32)
