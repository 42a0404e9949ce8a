# The Debian package, built with `cpack -G DEB` from a build configured for /usr.
set(CPACK_PACKAGE_NAME orbisk)
set(CPACK_PACKAGE_VENDOR "The Orbisk developers")
set(CPACK_PACKAGE_CONTACT "Orbisk maintainers <maintainers@orbisk.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of TI92+ and Voyager 200 calculator text files")
set(CPACK_PACKAGE_DESCRIPTION
    "Converts calculator text files between the TI92+ format (.9xt) and the\n\
Voyager 200 format (.v2t), byte for byte: the file is copied whole and only\n\
the header bytes that tell the two models apart are rewritten. Given file\n\
names it converts them, so files opened with it from a file manager are\n\
converted at once; started without arguments it opens a small window in\n\
French.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${ORBISK_HOMEPAGE}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are computed from the binaries. Qt's X11 platform plugin ships in
# libqt6gui6, which the Qt module links; the Wayland one is in qt6-wayland, without which
# the window still opens through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# DejaVu and FreeFont between them draw every calculator character in the viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, qt6-translations-l10n, fonts-dejavu-extra, fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
