# Read by cpack before each generator runs (CPACK_PROJECT_CONFIG_FILE):
# settings that apply to the Debian packages only, so that the TGZ and a
# plain install stay as they are.
if(CPACK_GENERATOR STREQUAL "DEB")
  # One package per component; the plain man page (component `man`) and
  # README.md and CHANGELOG.md (`doc`) stay out: the tool's package carries
  # the page compressed, and each package its Debian changelog.
  set(CPACK_COMPONENTS_ALL runtime dev tool)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  # Debian ships binaries without their debugging symbols.
  set(CPACK_STRIP_FILES ON)
  # Each package has a synopsis of its own; CPackDeb would put this
  # project-wide summary above each package's description.
  unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
  # Folders the install creates are 0755 whatever the umask of the build.
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
