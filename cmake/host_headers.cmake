# The header-only Debian packages around the library (CLI11, nlohmann-json
# and dtl) serve a cross build as they are, but their CMake packages are
# not found for another system and /usr/include itself must not be seen (it
# holds the host's C library). Their folders are linked into one include
# folder of the build, behind the targets their packages would give.

set(host_headers ${PROJECT_BINARY_DIR}/host_headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(folder CLI nlohmann dtl)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run "
                        "scripts/setup.sh (Debian's header packages)")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()
foreach(target CLI11::CLI11 nlohmann_json::nlohmann_json dtl::dtl)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
endforeach()
