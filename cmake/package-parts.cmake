# Read by cpack for each package format. The .deb is made of parts of the
# installation (cmake/packaging.cmake): it holds the license in its copyright
# file, not as LICENSE. The other formats hold what cmake --install installs.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program manual readme debian)
endif()
