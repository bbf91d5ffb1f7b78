# Read by cpack before it makes a package. A Debian package installs under
# /usr, and the program in it must look for its help document where the
# package puts it.
if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "The Debian package installs under /usr, but this build is for "
      "\"${CPACK_PACKAGING_INSTALL_PREFIX}\": configure it with -DCMAKE_INSTALL_PREFIX=/usr "
      "(scripts/package-test.sh does).")
  endif()
  string(FIND "${CPACK_PURSEWISE_HELP_FILE}" "/usr/local/" in_local)
  if(NOT CPACK_PURSEWISE_HELP_FILE MATCHES "^/usr/" OR in_local EQUAL 0)
    message(FATAL_ERROR "The program looks for its help at \"${CPACK_PURSEWISE_HELP_FILE}\", "
      "outside the package: configure a fresh build folder with -DCMAKE_INSTALL_PREFIX=/usr "
      "and PURSEWISE_HELP_FILE at its default.")
  endif()
endif()
