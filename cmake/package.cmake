# The Debian package of the X11 saver: `cpack -G DEB` in the build folder writes
# orvessan_VERSION_ARCH.deb, which `apt install ./orvessan_*.deb` installs with what it needs.
# Its members are dated SOURCE_DATE_EPOCH when that is set (tools/release sets it), so that the
# same commit gives the same package.
set(CPACK_PACKAGE_NAME orvessan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvessan's Screen Saver developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stars and turning clouds of particles, a screen saver hack")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Pale blue stars fly towards the viewer and, from time to time, a rotating\n"
  "cloud of particles forms one of eleven shapes, turns, and goes again.\n"
  "\n"
  "A hack for XScreenSaver (add it to the programs: list in ~/.xscreensaver,\n"
  "as orvessan(6x) shows) and for MATE's screensaver, which lists it by itself.")
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
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | mate-screensaver")

include(GNUInstallDirs)
# /usr/share/doc/orvessan: the copyright in Debian's machine-readable format, made from LICENSE,
# and the changelog of a native package, made from the version and the release's date.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE ORV_LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" ORV_COPYRIGHT "${ORV_LICENSE}")
set(ORV_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*\nCopyright [^\n]+\n\n" "" ORV_LICENSE_BODY "${ORV_LICENSE}")
string(REGEX REPLACE "\n+$" "" ORV_LICENSE_BODY "${ORV_LICENSE_BODY}")
string(REPLACE "\n\n" "\n.\n" ORV_LICENSE_BODY "${ORV_LICENSE_BODY}")
string(REPLACE "\n" "\n " ORV_LICENSE_BODY " ${ORV_LICENSE_BODY}")
string(TIMESTAMP ORV_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ORV_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/tools/packaging/debian)
configure_file(${ORV_DEBIAN_DIR}/copyright.in ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
configure_file(${ORV_DEBIAN_DIR}/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT debian/changelog.gz
  COMMAND gzip -9 -n -k -f changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
add_custom_target(orvessan_debian_docs ALL DEPENDS debian/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
