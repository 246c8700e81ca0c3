# Run by every piece of an install before it installs anything. CMake
# splits a path at a semicolon, and its list of what it installed has a
# line for each path: a prefix or DESTDIR with a semicolon or a newline
# would put files, or take them away, where nobody asked.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(folder MATCHES "[;\n]")
  set(name semicolon)
  if(CMAKE_MATCH_0 STREQUAL "\n")
    set(name newline)
  endif()
  string(REPLACE "\n" "\\n" folder "${folder}")
  message(FATAL_ERROR "wordmif cannot be installed into a folder whose path has a ${name}: "
                      "${folder}")
endif()
