# Installs the library, its public headers (keeping their tree under
# include/), a CMake package and a pkg-config file.
#
# Each file belongs to a component: `runtime` (what a program that uses the
# shared library needs at run time), `dev` (what building against it needs),
# `tool` (the command, from tools/), `man` and `doc`. A plain install and
# the TGZ and ZIP take them all; the Debian packages are made of runtime,
# dev and tool (see debian.cmake).

include(CMakePackageConfigHelpers)

install(TARGETS htmlmemdoc
  EXPORT htmlmemdocTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(HTMLMEMDOC_INSTALL_STATIC)
  install(TARGETS htmlmemdoc_static
    EXPORT htmlmemdocTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()

foreach(header IN LISTS HTMLMEMDOC_PUBLIC_HEADERS)
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir}
    COMPONENT dev)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/include/htmlmemdoc/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/htmlmemdoc COMPONENT dev)

set(HTMLMEMDOC_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/htmlmemdoc)
install(EXPORT htmlmemdocTargets
  NAMESPACE htmlmemdoc::
  DESTINATION ${HTMLMEMDOC_CMAKE_DIR}
  COMPONENT dev)
configure_package_config_file(cmake/htmlmemdocConfig.cmake.in
  ${PROJECT_BINARY_DIR}/htmlmemdocConfig.cmake
  INSTALL_DESTINATION ${HTMLMEMDOC_CMAKE_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/htmlmemdocConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/htmlmemdocConfig.cmake
  ${PROJECT_BINARY_DIR}/htmlmemdocConfigVersion.cmake
  DESTINATION ${HTMLMEMDOC_CMAKE_DIR}
  COMPONENT dev)

if(BUILD_SHARED_LIBS)
  set(HTMLMEMDOC_PC_CFLAGS "")
else()
  set(HTMLMEMDOC_PC_CFLAGS "-DHTMLMEMDOC_STATIC")
endif()
# The .pc file names its prefix relative to its own folder, so the package
# stays usable when installed with `cmake --install --prefix`.
file(RELATIVE_PATH HTMLMEMDOC_PC_TO_PREFIX
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" HTMLMEMDOC_PC_TO_PREFIX "${HTMLMEMDOC_PC_TO_PREFIX}")
configure_file(cmake/htmlmemdoc.pc.in ${PROJECT_BINARY_DIR}/htmlmemdoc.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/htmlmemdoc.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

install(FILES README.md CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
  COMPONENT doc)

# `cpack` packs what is installed: a ZIP on Windows, a tar.gz elsewhere;
# `cpack -G DEB` makes the Debian packages.
set(CPACK_PACKAGE_NAME htmlmemdoc)
set(CPACK_PACKAGE_VENDOR htmlmemdoc)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR TGZ)
  include(cmake/debian.cmake)
endif()
include(CPack)
