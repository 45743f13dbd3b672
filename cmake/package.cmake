# The Debian package of the X11 saver: `cpack -G DEB` in the build folder writes
# orvessan_VERSION_ARCH.deb, which `apt install ./orvessan_*.deb` installs with what it needs.
set(CPACK_PACKAGE_NAME orvessan)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "Orvessan")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvessan's Screen Saver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION
    "Pale blue stars fly towards the viewer and, from time to time, a rotating cloud of\n particles forms one of eleven shapes. A hack for XScreenSaver; add it to the\n programs: list of ~/.xscreensaver.")
set(CPACK_PACKAGE_CONTACT "Orvessan <orvessan@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
include(CPack)
