# The install's piece "uninstall", run only when asked for by name: removes,
# under the prefix (and DESTDIR) of this install, the files that an install
# puts there (wordmif_installed), then their folder (wordmif_doc_dir) if it
# is wordmif's own and left empty. It follows nothing that another step
# left behind, such as the list of the last install, which cpack rewrites.

# Where the install puts a file or folder given as a path in its layout.
function(installed_path file variable)
  if(NOT IS_ABSOLUTE "${file}")
    set(file "${CMAKE_INSTALL_PREFIX}/${file}")
  endif()
  set(${variable} "$ENV{DESTDIR}${file}" PARENT_SCOPE)
endfunction()

foreach(file IN LISTS wordmif_installed)
  installed_path("${file}" path)
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing: ${path}")
    file(REMOVE "${path}")
  endif()
endforeach()
installed_path("${wordmif_doc_dir}" path)
if(wordmif_doc_dir MATCHES "/wordmif$" AND IS_DIRECTORY "${path}")
  # rmdir leaves a folder that holds anything else.
  execute_process(COMMAND rmdir -- "${path}" ERROR_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0)
    message(STATUS "Removing: ${path}")
  endif()
endif()
