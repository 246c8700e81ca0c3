# What wordmif installs, and how CPack packs it: a .deb, an .rpm and a
# .tar.gz for Linux, a .zip for Windows. The install comes in pieces:
#   program  the executable
#   manual   the manual page, compressed (Linux), or as HTML (Windows)
#   readme   README.md
#   license  LICENSE
#   debian   the Debian copyright file (which holds the license), the
#            changelog and the lintian override; for the .deb alone
#   uninstall  removes what the first four put in place; only by name

include(GNUInstallDirs)
# Every piece of the install refuses, before it installs anything, a prefix
# that CMake would split.
foreach(piece program manual readme license debian uninstall)
  install(SCRIPT cmake/install-prefix.cmake COMPONENT ${piece})
endforeach()
# Not the umask's: the packages are the same on every machine.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(maintainer "the wordmif authors <authors@wordmif.example>")

# The version is the project's; each changelog must begin with its entry.
file(STRINGS packaging/changelog debian_top LIMIT_COUNT 1)
file(STRINGS packaging/rpm-changelog rpm_top LIMIT_COUNT 1)
if(NOT debian_top MATCHES "^wordmif \\(${PROJECT_VERSION}\\) "
   OR NOT rpm_top MATCHES " - ${PROJECT_VERSION}-1$")
  message(FATAL_ERROR "packaging/changelog and packaging/rpm-changelog need an entry "
                      "for version ${PROJECT_VERSION} at their top")
endif()

set(parts ${CMAKE_BINARY_DIR}/package-parts)
file(MAKE_DIRECTORY ${parts})

# The manual, with the program's name and version in its footer.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS man/wordmif.1)
file(READ man/wordmif.1 manual_text)
string(REPLACE "\n.Os\n" "\n.Os wordmif ${PROJECT_VERSION}\n" manual_text "${manual_text}")
set(manual ${parts}/wordmif.1)
file(WRITE ${manual} "${manual_text}")

# What third-party code a static executable holds, and under which licenses.
string(TOLOWER ${CMAKE_SYSTEM_NAME} system)
if(WORDMIF_STATIC AND EXISTS ${CMAKE_SOURCE_DIR}/packaging/notices-${system}.in)
  string(REGEX MATCH "^[0-9]+" gcc_major ${CMAKE_CXX_COMPILER_VERSION})
  set(notices ${parts}/THIRD-PARTY-NOTICES)
  configure_file(packaging/notices-${system}.in ${notices} @ONLY)
endif()

if(WIN32)
  # Everything in one folder, the manual as a page a browser opens.
  find_program(MANDOC mandoc REQUIRED)
  add_custom_command(OUTPUT ${parts}/wordmif.html DEPENDS ${manual}
    COMMAND ${MANDOC} -Thtml ${manual} > ${parts}/wordmif.html VERBATIM)
  add_custom_target(manual ALL DEPENDS ${parts}/wordmif.html)
  set(manual_file ${parts}/wordmif.html)
  set(bin_dir .)
  set(manual_dir .)
  set(doc_dir .)
else()
  # Compresses in to out, without the name or time stamp that gzip would
  # otherwise record.
  find_program(GZIP gzip REQUIRED)
  function(gzip_file in out)
    add_custom_command(OUTPUT ${out} DEPENDS ${in}
      COMMAND ${GZIP} -9nc ${in} > ${out} VERBATIM)
  endfunction()
  gzip_file(${manual} ${parts}/wordmif.1.gz)
  gzip_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${parts}/changelog.gz)
  add_custom_target(package_parts ALL DEPENDS ${parts}/wordmif.1.gz ${parts}/changelog.gz)
  set(manual_file ${parts}/wordmif.1.gz)
  set(bin_dir ${CMAKE_INSTALL_BINDIR})
  set(manual_dir ${CMAKE_INSTALL_MANDIR}/man1)
  set(doc_dir ${CMAKE_INSTALL_DOCDIR})

  # The license, and the notices of what a static executable holds, in the
  # form of a machine-readable Debian copyright file.
  function(debian_field_text file variable)
    file(READ ${file} text)
    string(STRIP "${text}" text)
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    set(${variable} "${text}" PARENT_SCOPE)
  endfunction()
  debian_field_text(LICENSE license_text)
  set(notices_field "")
  if(notices)
    debian_field_text(${notices} notices_text)
    set(notices_field "Comment:\n${notices_text}\n")
  endif()
  file(GENERATE OUTPUT ${parts}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: wordmif
Upstream-Contact: ${maintainer}
${notices_field}
Files: *
Copyright: 2026 the wordmif authors
License: Expat
${license_text}
")
  install(FILES ${parts}/copyright ${parts}/changelog.gz
    DESTINATION ${doc_dir} COMPONENT debian EXCLUDE_FROM_ALL)
  # lintian takes a static position-independent executable for a shared
  # library.
  set(static_tag statically-linked-binary)
  if(wordmif_links_static_pie)
    set(static_tag shared-library-lacks-prerequisites)
  endif()
  file(GENERATE OUTPUT ${parts}/lintian-overrides CONTENT
"# Linked statically on purpose: see cmake/static-link.cmake in the source.
wordmif: ${static_tag} [usr/bin/wordmif]
")
  install(FILES ${parts}/lintian-overrides RENAME wordmif
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT debian EXCLUDE_FROM_ALL)
endif()
install(TARGETS wordmif RUNTIME DESTINATION ${bin_dir} COMPONENT program)
install(FILES ${manual_file} DESTINATION ${manual_dir} COMPONENT manual)
install(FILES README.md DESTINATION ${doc_dir} COMPONENT readme)
install(FILES LICENSE ${notices} DESTINATION ${doc_dir} COMPONENT license)
# What those put in place, for the piece that removes it again
# (cmake/uninstall.cmake).
get_filename_component(manual_name ${manual_file} NAME)
set(installed ${bin_dir}/wordmif${CMAKE_EXECUTABLE_SUFFIX} ${manual_dir}/${manual_name}
    ${doc_dir}/README.md ${doc_dir}/LICENSE)
if(notices)
  list(APPEND installed ${doc_dir}/THIRD-PARTY-NOTICES)
endif()
install(CODE "set(wordmif_installed [==[${installed}]==])
set(wordmif_doc_dir [==[${doc_dir}]==])" COMPONENT uninstall EXCLUDE_FROM_ALL)
install(SCRIPT cmake/uninstall.cmake COMPONENT uninstall EXCLUDE_FROM_ALL)

# The formats, and each one's name for the processor, are decided as cpack
# starts (cmake/package-formats.cmake): these are the most it makes.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(CPACK_GENERATOR DEB RPM TGZ)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PROPERTIES_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/package-formats.cmake)
set(CPACK_WORDMIF_BUILD_DIR ${CMAKE_BINARY_DIR})
set(CPACK_WORDMIF_EXECUTABLE ${CMAKE_BINARY_DIR}/wordmif${CMAKE_EXECUTABLE_SUFFIX})
set(CPACK_WORDMIF_SYSTEM ${system})
# The archive of a processor whose name wordmif does not know is named as the
# toolchain names it.
string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" CPACK_WORDMIF_PROCESSOR)
string(REGEX REPLACE "[^a-z0-9_]" "" CPACK_WORDMIF_PROCESSOR "${CPACK_WORDMIF_PROCESSOR}")
if(CPACK_WORDMIF_PROCESSOR STREQUAL "")
  set(CPACK_WORDMIF_PROCESSOR unknown)
endif()

set(CPACK_PACKAGE_NAME wordmif)
set(CPACK_PACKAGE_VENDOR "the wordmif authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert binary word lists to FPGA memory initialization files")
set(CPACK_PACKAGE_DESCRIPTION "\
wordmif reads 16-bit memory words, written as strings of binary digits, from
standard input and writes a memory initialization file (MIF) for a 256-word
by 16-bit on-chip memory to standard output, as FPGA design tools read it to
preset the memory's contents. It is a filter for Makefiles and build scripts:
wordmif < rom.txt > rom.mif.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/package-parts.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/package-times.cmake)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT ${maintainer})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
# The package summary, capitalized as rpm's are.
string(SUBSTRING ${CPACK_PACKAGE_DESCRIPTION_SUMMARY} 0 1 initial)
string(SUBSTRING ${CPACK_PACKAGE_DESCRIPTION_SUMMARY} 1 -1 rest)
string(TOUPPER ${initial} initial)
set(CPACK_RPM_PACKAGE_SUMMARY "${initial}${rest}")
set(CPACK_RPM_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "Applications/Engineering")
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/rpm-changelog)
# Kept by an install without documentation, as Fedora's container images
# make.
set(CPACK_RPM_USER_FILELIST "%license /usr/${doc_dir}/LICENSE")
if(notices)
  list(APPEND CPACK_RPM_USER_FILELIST "%license /usr/${doc_dir}/THIRD-PARTY-NOTICES")
endif()
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1)
# The files are stripped already; rpmbuild's own strip would be the build
# machine's, which cannot read a cross-compiled executable. The packager
# line, the build time and the build host make the package the same
# wherever it is built.
set(CPACK_RPM_SPEC_MORE_DEFINE "\
%define packager ${maintainer}
%define __os_install_post %{nil}
%define debug_package %{nil}
%define _build_id_links none
%define _buildhost wordmif
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1")

include(CPack)
