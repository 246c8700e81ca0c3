# Read by cpack for each package format. The .deb is made of parts of the
# installation (cmake/packaging.cmake): it holds the license in its copyright
# file, not as LICENSE. The other formats hold what cmake --install installs.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program manual readme debian)
endif()
# rpmbuild expands macros in the paths it is given: a % in them would run
# code of the path's.
if(CPACK_GENERATOR STREQUAL "RPM" AND CPACK_PACKAGE_DIRECTORY MATCHES "%")
  message(FATAL_ERROR "wordmif's .rpm cannot be made in a folder whose path has a %, "
                      "which rpmbuild would expand: ${CPACK_PACKAGE_DIRECTORY}")
endif()
# A format that configuring left out (cmake/package-architecture.cmake), said
# again where the packages are made.
if(CPACK_GENERATOR STREQUAL "TGZ" AND CPACK_WORDMIF_LEFT_OUT)
  message(STATUS "wordmif: ${CPACK_WORDMIF_LEFT_OUT}")
endif()
