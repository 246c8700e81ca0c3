# Run by cpack on the files it is about to pack. rpmbuild lowers a time
# later than SOURCE_DATE_EPOCH to it but keeps an earlier one, such as a
# file's checkout time, so every file gets the present time first.
file(GLOB_RECURSE files ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
file(TOUCH_NOCREATE ${files})
