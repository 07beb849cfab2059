# `make package`: a Debian package of what the install rules (packaging/) put in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ledgerline)
set(CPACK_PACKAGE_VENDOR "The Ledgerline developers")
set(CPACK_PACKAGE_CONTACT "The Ledgerline developers <ledgerline@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check writer for a small business")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Ledgerline writes and prints a business's own checks and bank drafts with their MICR\n"
    "line, keeps check databases, prints address labels, blank checks and deposit\n"
    "tickets, and exchanges comma-delimited files. It comes with its MICR font, MICR65.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program is linked with are found by dpkg-shlibdeps. What Qt loads by
# name at run time is not linked and so is named here: the SQLite driver every database
# file goes through, the PostgreSQL driver through which a desk reaches check databases on
# a database server, fontconfig (through which every program finds the MICR font in the
# system font folder) and the metric twin of Times New Roman that checks are printed in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, fontconfig, fonts-liberation")
# Wayland desktops and the desktop's own dialogs; without them Qt still runs through X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
