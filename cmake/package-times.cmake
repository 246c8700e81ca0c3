# Run by cpack on the files it is about to pack. rpmbuild lowers a time
# later than SOURCE_DATE_EPOCH to it but keeps an earlier one, such as a
# file's checkout time, so every file gets the present time first. The
# folder goes to find as an argument: a glob would take its path for a
# pattern.
execute_process(COMMAND find "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" -type f -exec touch -c {} +
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wordmif: cannot set the time of the files to pack")
endif()
