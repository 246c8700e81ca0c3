# Run by cpack as it starts, as its properties file (wordmif sets no install
# properties of its own): the formats that cpack makes unless told which,
# and each format's name for the processor. Both are decided here, where
# the packages are made, from the executable that they hold rather than from
# what a toolchain says of itself, and from what this machine has now rather
# than when it was configured.
#
# cpack reads it with no policies set.
cmake_policy(PUSH)
cmake_policy(VERSION 3.18)

# The executable as cpack is about to pack it: its install step would build
# it in a moment.
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${CPACK_WORDMIF_BUILD_DIR}" --target wordmif
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${CPACK_WORDMIF_EXECUTABLE}")
  message(FATAL_ERROR "wordmif: cannot build ${CPACK_WORDMIF_EXECUTABLE} to pack it")
endif()

# The unsigned number of size bytes at offset in the file's first bytes,
# given in hex, in little-endian or big-endian byte order.
function(header_field hex offset size order variable)
  math(EXPR at "${offset} * 2")
  math(EXPR length "${size} * 2")
  string(SUBSTRING "${hex}" ${at} ${length} bytes)
  if(order STREQUAL "little")
    string(REGEX REPLACE "(..)" "\\1;" bytes "${bytes}")
    list(REVERSE bytes)
    string(JOIN "" bytes ${bytes})
  endif()
  math(EXPR value "0x0${bytes}")
  set(${variable} ${value} PARENT_SCOPE)
endfunction()

# The processor as the ELF header states it (machine, class, byte order,
# and the ABI where one machine has several), and as a Windows executable's
# PE header does.
file(READ "${CPACK_WORDMIF_EXECUTABLE}" header LIMIT 64 HEX)
set(key "")
if(header MATCHES "^7f454c46(0[12])(0[12])")
  set(bits 32)
  set(flags_at 36)
  if(CMAKE_MATCH_1 STREQUAL "02")
    set(bits 64)
    set(flags_at 48)
  endif()
  set(order little)
  if(CMAKE_MATCH_2 STREQUAL "02")
    set(order big)
  endif()
  header_field("${header}" 18 2 ${order} machine)
  header_field("${header}" ${flags_at} 4 ${order} flags)
  set(abi "")
  if(machine EQUAL 40) # ARM: EABI version 5, with the hard-float flag or not
    math(EXPR version "${flags} >> 24")
    math(EXPR hard "${flags} & 0x400")
    if(NOT version EQUAL 5)
      set(abi _old)
    elseif(hard)
      set(abi _hard)
    else()
      set(abi _soft)
    endif()
  elseif(machine EQUAL 8) # MIPS: the n32 ABI of 64-bit processors, or not
    math(EXPR n32 "${flags} & 0x20")
    if(n32)
      set(abi _n32)
    endif()
  endif()
  set(key ${machine}_${bits}_${order}${abi})
  set(processor "ELF machine ${machine}, ${bits}-bit, ${order}-endian")
elseif(header MATCHES "^4d5a")
  header_field("${header}" 60 4 little pe_at)
  file(READ "${CPACK_WORDMIF_EXECUTABLE}" pe OFFSET ${pe_at} LIMIT 6 HEX)
  header_field("${pe}" 4 2 little machine)
  set(key pe_${machine})
  set(processor "PE machine ${machine}")
else()
  set(processor "not an ELF or PE executable")
endif()

# Debian's name, rpm's and the archives'.
set(names_62_64_little amd64 x86_64 x86_64)
set(names_3_32_little i386 i686 i686)
set(names_183_64_little arm64 aarch64 aarch64)
set(names_40_32_little_hard armhf armv7hl armhf)
set(names_40_32_little_soft armel armv5tel armel)
set(names_8_32_little mipsel mipsel mipsel)
set(names_8_64_little mips64el mips64el mips64el)
set(names_21_64_little ppc64el ppc64le ppc64le)
set(names_243_64_little riscv64 riscv64 riscv64)
set(names_22_64_big s390x s390x s390x)
set(names_258_64_little loong64 loongarch64 loongarch64)
set(names_pe_34404 "" "" x86_64)
set(names_pe_332 "" "" i686)
set(names_pe_43620 "" "" aarch64)
set(names "${names_${key}}")

set(CPACK_WORDMIF_UNKNOWN "")
if(names)
  list(GET names 0 CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  list(GET names 1 CPACK_RPM_PACKAGE_ARCHITECTURE)
  list(GET names 2 archive_name)
else()
  set(archive_name ${CPACK_WORDMIF_PROCESSOR})
  string(CONCAT CPACK_WORDMIF_UNKNOWN "wordmif: no .deb or .rpm: wordmif does not know the "
                "name of the processor of ${CPACK_WORDMIF_EXECUTABLE} (${processor})")
endif()
set(CPACK_PACKAGE_FILE_NAME wordmif-${CPACK_PACKAGE_VERSION}-${CPACK_WORDMIF_SYSTEM}-${archive_name})

# A format that cannot be made here is left out of the default list, and
# said why; asked for by name, it is refused (cmake/package-parts.cmake).
if(CPACK_WORDMIF_UNKNOWN AND CPACK_GENERATOR MATCHES "DEB|RPM")
  list(REMOVE_ITEM CPACK_GENERATOR DEB RPM)
  message(STATUS "${CPACK_WORDMIF_UNKNOWN}")
endif()
find_program(CPACK_WORDMIF_RPMBUILD rpmbuild)
if(NOT CPACK_WORDMIF_RPMBUILD AND "RPM" IN_LIST CPACK_GENERATOR)
  list(REMOVE_ITEM CPACK_GENERATOR RPM)
  message(STATUS "wordmif: no .rpm: making one needs rpmbuild (package rpm)")
endif()
cmake_policy(POP)
