# Links wordmif statically where the toolchain can. A build runs wordmif
# once per memory, often hundreds of times, and a static executable starts
# in half the time, with no dynamic loader at work; a released one runs on
# any Linux of its processor. On Linux it is also position-independent
# where the toolchain can link that (-static-pie), so that its code is not
# always at the same address.
include(CheckCXXSourceCompiles)

# Sets result to whether a small C++ program links with these options.
function(links_with result)
  string(JOIN " " CMAKE_REQUIRED_FLAGS ${ARGN})
  set(CMAKE_REQUIRED_LINK_OPTIONS ${ARGN})
  check_cxx_source_compiles("#include <string>
int main(int argc, char**) { return static_cast<int>(std::to_string(argc).size()); }" ${result})
endfunction()

if(APPLE)
  set(WORDMIF_STATIC OFF CACHE BOOL "" FORCE) # macOS has no static executables
elseif(NOT DEFINED WORDMIF_STATIC)
  links_with(wordmif_links_static -static)
  if(NOT wordmif_links_static)
    message(STATUS "wordmif will be linked dynamically: a static link fails here "
                   "(on Fedora and RHEL, installing glibc-static and libstdc++-static mends that)")
  endif()
endif()
option(WORDMIF_STATIC "Link wordmif statically (by default where that works)"
       ${wordmif_links_static})

if(WORDMIF_STATIC)
  if(NOT WIN32)
    links_with(wordmif_links_static_pie -fPIE -static-pie)
  endif()
  if(wordmif_links_static_pie)
    set_target_properties(wordmif wordmif_core PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_link_options(wordmif PRIVATE -static-pie)
  else()
    target_link_options(wordmif PRIVATE -static)
  endif()
endif()
