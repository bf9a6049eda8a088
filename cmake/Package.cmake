# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a build tree makes tamblor_<version>_<arch>.deb of
# what `cmake --install` puts under /usr, with its library dependencies found by
# dpkg-shlibdeps. scripts/package makes it from a Release build and checks it with lintian.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamblor)
set(CPACK_PACKAGE_VENDOR "The Tamblor developers")
set(CPACK_PACKAGE_CONTACT "Tamblor developers <tamblor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "disk cataloguer for CDs, DVDs and USB sticks")
# Lines of the description stay under 80 columns, as dpkg shows them.
set(CPACK_PACKAGE_DESCRIPTION
    "Tamblor records the label, serial number and the complete tree of folders
and files of a removable disk (names, sizes and times, never contents) into
a disk index file, and gathers index files into collections. Every disk of
a collection can then be browsed and searched by name, kind and date without
the disk in the drive, and files found can be copied back when the disk is
put in again.

The package holds the desktop program, tamblor, and its command-line
companion for scripts, tamblor-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the desktop uses when it is there: xdg-open to open catalogued files, UDisks to eject
# a disk (an ioctl does it otherwise), and the databases that make the menu entry, the file
# types and the icons known; Qt's own Wayland support for a Wayland session (XWayland otherwise).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, udisks2, shared-mime-info, desktop-file-utils, hicolor-icon-theme, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
