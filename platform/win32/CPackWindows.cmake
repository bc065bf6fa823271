# Read by cpack for each generator of the Windows build: the installer has a name of its own.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Zibolt-Setup")
endif()
