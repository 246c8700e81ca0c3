# Read by cpack for each package format. A .deb or an .rpm asked for by
# name is refused where the processor's name for it is not known
# (cmake/package-formats.cmake), rather than marked for the build machine's.
if(CPACK_GENERATOR MATCHES "^(DEB|RPM)$" AND CPACK_WORDMIF_UNKNOWN)
  message(FATAL_ERROR "${CPACK_WORDMIF_UNKNOWN}")
endif()
# The .deb is made of parts of the installation (cmake/packaging.cmake): it
# holds the license in its copyright file, not as LICENSE. The other formats
# hold what cmake --install installs.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program manual readme debian)
endif()
# rpmbuild expands its macros (%) in the path where packages are made, runs
# shell scripts that hold that path as it stands, some of it unquoted, and
# expands braces in its file list: a character that one of them takes for
# its own would break the build or run code of the path's. Stop before
# rpmbuild runs.
if(CPACK_GENERATOR STREQUAL "RPM"
   AND CPACK_PACKAGE_DIRECTORY MATCHES "[ \t\n\"$%&'()*;<>?[\\`{|}]")
  message(FATAL_ERROR "wordmif's .rpm cannot be made in a folder whose path has a "
                      "'${CMAKE_MATCH_0}', which rpmbuild would take for code: "
                      "${CPACK_PACKAGE_DIRECTORY}")
endif()
