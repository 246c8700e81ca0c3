# The processor that wordmif is built for, as each package format names it,
# and the formats that can be made for it here. Sets
# CPACK_DEBIAN_PACKAGE_ARCHITECTURE, CPACK_RPM_PACKAGE_ARCHITECTURE,
# archive_name, CPACK_GENERATOR, and CPACK_WORDMIF_LEFT_OUT: why a format is
# left out, if one is.
#
# The processor is the compiler's target, not CMAKE_SYSTEM_PROCESSOR, which
# a native build takes from uname -m (x86_64 for a 32-bit userland on a
# 64-bit kernel) and a cross build from a toolchain file, which may leave
# it out or spell it in its own way. -print-multiarch heeds flags such as
# -m32 and gives Debian's names; compilers without it answer -dumpmachine.
if(CMAKE_CXX_COMPILER_TARGET)
  set(target ${CMAKE_CXX_COMPILER_TARGET})
else()
  separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_COMPILER_ARG1} ${CMAKE_CXX_FLAGS}")
  foreach(question -print-multiarch -dumpmachine)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${flags} ${question}
                    OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(target MATCHES "^[A-Za-z0-9_]+-")
      break()
    endif()
    set(target "")
  endforeach()
endif()
if(target STREQUAL "")
  set(target "${CMAKE_SYSTEM_PROCESSOR}")
endif()
string(REGEX MATCH "^[^-]*" processor "${target}")
if(processor MATCHES "^i[3-6]86$")
  set(processor i686)
elseif(processor MATCHES "^arm" AND target MATCHES "^armv7hl-|hf$")
  set(processor armhf)
elseif(target MATCHES "^x86_64-.*x32$")
  set(processor x32)
endif()

# Debian's name, rpm's, the archives', and the size of a pointer.
set(names_x86_64 amd64 x86_64 x86_64 8)
set(names_i686 i386 i686 i686 4)
set(names_aarch64 arm64 aarch64 aarch64 8)
set(names_armhf armhf armv7hl armhf 4)
set(names_powerpc64le ppc64el ppc64le ppc64le 8)
set(names_riscv64 riscv64 riscv64 riscv64 8)
set(names_s390x s390x s390x s390x 8)
set(names_loongarch64 loong64 loongarch64 loongarch64 8)
set(names ${names_${processor}})
if(names)
  # A compiler whose target and pointers disagree leaves even the processor
  # in doubt.
  list(GET names 3 pointer_size)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL pointer_size)
    set(names "")
    set(processor unknown)
  endif()
endif()

set(CPACK_GENERATOR TGZ)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
endif()
set(CPACK_WORDMIF_LEFT_OUT "")
if(names)
  list(GET names 0 CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  list(GET names 1 CPACK_RPM_PACKAGE_ARCHITECTURE)
  list(GET names 2 archive_name)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    find_program(RPMBUILD rpmbuild)
    if(RPMBUILD)
      list(PREPEND CPACK_GENERATOR DEB RPM)
    else()
      list(PREPEND CPACK_GENERATOR DEB)
      set(CPACK_WORDMIF_LEFT_OUT "no .rpm: making one needs rpmbuild (package rpm)")
    endif()
  endif()
else()
  # The archive is named after the processor all the same.
  string(TOLOWER "${processor}" archive_name)
  string(REGEX REPLACE "[^a-z0-9_]" "" archive_name "${archive_name}")
  if(archive_name STREQUAL "")
    set(archive_name unknown)
  endif()
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
    string(CONCAT CPACK_WORDMIF_LEFT_OUT "no .deb or .rpm: their name for the processor "
                  "of '${target}' with ${bits}-bit pointers is not known")
  endif()
endif()
if(CPACK_WORDMIF_LEFT_OUT)
  message(STATUS "Packages: ${CPACK_WORDMIF_LEFT_OUT}")
endif()
