# The Debian packages `cpack -G DEB` makes, one per install component:
#
#   libhtmlmemdoc0     runtime  the shared library, named after its SONAME
#   libhtmlmemdoc-dev  dev      headers, the .so link, libhtmlmemdoc.a, the
#                               CMake package and htmlmemdoc.pc
#   htmlmemdoc         tool     the command, its editor program, the man page
#
# Each carries /usr/share/doc/<package>/copyright and changelog.gz from
# cmake/debian/. docs/packaging.md says how the packages are built and
# tested. Included from install.cmake on every system but Windows.

set(HTMLMEMDOC_DEB_MAINTAINER
  "htmlmemdoc maintainers <maintainers@users.noreply.c-seed-8b7015fa.example>"
  CACHE STRING "Maintainer of the Debian packages")

set(deb_source ${CMAKE_CURRENT_LIST_DIR}/debian)
set(deb_build ${PROJECT_BINARY_DIR}/debian)
# The runtime package is named after the SONAME, libhtmlmemdoc.so.MAJOR.
set(deb_runtime libhtmlmemdoc${PROJECT_VERSION_MAJOR})
set(deb_components runtime dev tool)
set(deb_packages ${deb_runtime} libhtmlmemdoc-dev htmlmemdoc)

# The changelog's latest entry names the version it packages.
file(STRINGS ${deb_source}/changelog deb_latest LIMIT_COUNT 1)
if(NOT deb_latest MATCHES "^htmlmemdoc \\(${PROJECT_VERSION}\\) ")
  message(WARNING "cmake/debian/changelog has no entry for "
    "${PROJECT_VERSION} at its top (it starts: ${deb_latest})")
endif()

# Debian wants the changelog and man pages compressed, reproducibly
# (gzip -n: no name, no time stamp).
find_program(HTMLMEMDOC_GZIP gzip REQUIRED)
file(MAKE_DIRECTORY ${deb_build})
set(deb_files ${deb_build}/changelog.gz)
add_custom_command(OUTPUT ${deb_build}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${deb_source}/changelog ${deb_build}/changelog
  COMMAND ${HTMLMEMDOC_GZIP} -9nf ${deb_build}/changelog
  DEPENDS ${deb_source}/changelog
  VERBATIM)
if(TARGET htmlmemdoc_man)
  get_target_property(man_page htmlmemdoc_man HTMLMEMDOC_MAN_PAGE)
  list(APPEND deb_files ${deb_build}/htmlmemdoc.1.gz)
  add_custom_command(OUTPUT ${deb_build}/htmlmemdoc.1.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${man_page} ${deb_build}/htmlmemdoc.1
    COMMAND ${HTMLMEMDOC_GZIP} -9nf ${deb_build}/htmlmemdoc.1
    DEPENDS ${man_page} htmlmemdoc_man
    VERBATIM)
endif()
add_custom_target(htmlmemdoc_debian_files ALL DEPENDS ${deb_files})

# These go only into a component's own install, as cpack -G DEB makes it
# (EXCLUDE_FROM_ALL): a plain install, the TGZ and the ZIP leave them out.
foreach(component package IN ZIP_LISTS deb_components deb_packages)
  install(FILES ${deb_source}/copyright ${deb_build}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
if(TARGET htmlmemdoc_man)
  install(FILES ${deb_build}/htmlmemdoc.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT tool EXCLUDE_FROM_ALL)
endif()

# A stripped install (cpack strips the Debian packages) takes the debugging
# symbols out of the static library too, as Debian's own packages do;
# cmake strips only programs and shared libraries.
if(HTMLMEMDOC_INSTALL_STATIC AND CMAKE_STRIP
    AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
        --remove-section=.comment --remove-section=.note
        --enable-deterministic-archives
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:htmlmemdoc_static>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()"
    COMPONENT dev EXCLUDE_FROM_ALL)
endif()

# What differs from the TGZ's packing (components, the /usr prefix,
# stripping) is set for the DEB generator alone in this file.
set(CPACK_PROJECT_CONFIG_FILE ${deb_source}/cpack_options.cmake)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HTMLMEMDOC_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from what the binaries link (dpkg-shlibdeps), and a shlibs file
# for packages built against the library: the minor version only adds, so
# any later one of this SONAME serves a program built against this one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

set(deb_about
  "htmlmemdoc reads pages of a page-layout authoring application, stored as"
  "HTML (a head of title, meta, style rules and scripts, and a body of"
  "absolutely positioned layers of text, images, video, embedded objects"
  "and live audio), into an in-memory document that keeps every element's"
  "markup byte for byte. A host program inspects and edits the document"
  "and writes it back in a fixed layout.")
list(JOIN deb_about "\n" deb_about)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${deb_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "library for layout pages kept as HTML\n${deb_about}\n\nThis package holds the shared library.")
# ldconfig runs through dpkg's trigger. CPackDeb would add postinst and
# postrm scripts that call it for a library in /usr/lib unless the list
# names files of those names; the two named here do not exist, and cpack
# adds to the package only the files it can copy (warning "missing file"),
# so the package has no maintainer scripts.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
  ${deb_source}/triggers
  ${deb_build}/none-ldconfig-runs-by-trigger/postinst
  ${deb_build}/none-ldconfig-runs-by-trigger/postrm)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libhtmlmemdoc-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${deb_runtime} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEV_DESCRIPTION
  "library for layout pages kept as HTML - development files\n${deb_about}\n\nThis package holds the headers, the static library, the CMake package\n(find_package(htmlmemdoc CONFIG)) and the pkg-config file htmlmemdoc.pc.")

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME htmlmemdoc)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION web)
# `export` converts old sounds and movies with these when they are there.
set(CPACK_DEBIAN_TOOL_PACKAGE_SUGGESTS
  "ffmpeg, fluidsynth, timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_TOOL_DESCRIPTION
  "check, show, edit and render layout pages kept as HTML\n${deb_about}\n\nThe htmlmemdoc command checks pages and whole sites, shows what the\nlibrary reads, lists and fixes file references, edits layers and writes\npages back without losing anything in silence; it exports a site that\nplays in a current browser. htmlmemdoc serve DIR starts an editor in the\nbrowser for the pages below DIR.")
