# The Debian package of the X11 saver: `cpack -G DEB` in the build folder writes
# orvessan_VERSION_ARCH.deb, which `apt install ./orvessan_*.deb` installs with what it needs.
# Its members are dated SOURCE_DATE_EPOCH when that is set (tools/release sets it), so that the
# same commit gives the same package.
set(CPACK_PACKAGE_NAME orvessan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvessan's Screen Saver developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvessan's Screen Saver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION
    "Pale blue stars fly towards the viewer and, from time to time, a rotating cloud of\nparticles forms one of eleven shapes. A hack for XScreenSaver; add it to the\nprograms: list of ~/.xscreensaver.")
set(CPACK_PACKAGE_CONTACT "Orvessan's Screen Saver developers <developers@orvessan.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.orvessan.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: what the program links (libX11, libXext, the C and C++ libraries), with the versions
# dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
include(CPack)
