# `cpack -G DEB` (or the "package" target) makes a Debian package of what `cmake --install`
# puts in place, for the prefix /usr, where the screen saver looks for its programs.
set(CPACK_PACKAGE_NAME zibolt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zibolt developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "endless animated cartoon show for the screen saver")
# Debian shows each line as it stands: keep them under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "A space ship carrying a small hero flies between planets, lands, meets
characters who fly in and lets them talk in speech balloons, while stars
drift through the sky. Runs in a window, full screen, or inside the
desktop's screen saver.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZIBOLT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
# Shared libraries from what the programs link; the fonts the balloons are drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
include(CPack)
