# The Debian package of what "cmake --install" lays out, built by
# scripts/package from an already built tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lingrove)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brisel Solutions")
set(CPACK_PACKAGE_CONTACT "${LINGROVE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the translation files of ZrLang applications")
set(CPACK_PACKAGE_DESCRIPTION
    "Lingrove opens an application's ZrLang language source (.zrlang) together
with a translation (.lng), reconciles the two, lets every entry be
translated and checked, and saves the translation in ANSI or UTF-16.

The package also holds lingrove-cli, which inspects, converts, reconciles
and checks translations from the command line and in build pipelines.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LINGROVE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
