# Builds the POSIX executables with the hardening that the distributions give
# their own packages: a stack protector, stack clash protection, control-flow
# protection (x86_64), FORTIFY where optimizing, and a read-only relocation
# table bound at start-up. Each flag only where the toolchain takes it; a
# toolchain that defines _FORTIFY_SOURCE itself keeps its own level.
option(WORDMIF_HARDEN "Build with the distributions' hardening flags" ON)
if(NOT WORDMIF_HARDEN OR WIN32)
  return()
endif()
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "wordmif_takes${flag}" takes)
  check_cxx_compiler_flag(${flag} ${takes})
  if(${takes})
    add_compile_options(${flag})
  endif()
endforeach()

set(CMAKE_REQUIRED_FLAGS -O2)
check_cxx_source_compiles("#ifdef _FORTIFY_SOURCE
#error the toolchain fortifies already
#endif
int main() {}" wordmif_fortify_is_ours)
unset(CMAKE_REQUIRED_FLAGS)
if(wordmif_fortify_is_ours)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()

check_linker_flag(CXX LINKER:-z,relro,-z,now wordmif_links_bind_now)
if(wordmif_links_bind_now)
  add_link_options(LINKER:-z,relro,-z,now)
endif()
