# A Debian package (cpack -G DEB in the build folder): the application folder
# /opt/thalden-datalogger, the /usr/bin link, the menu entry, the icons and the
# metadata. The Qt translations the program loads are shipped in Translations/,
# so Debian's qt6-translations-l10n is not needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME thalden-datalogger)
set(CPACK_PACKAGE_VENDOR THALDEN)
set(CPACK_PACKAGE_CONTACT "THALDEN Datalogger developers <datalogger@thalden.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copies the stored results of a PV tester to the PC")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane DataLogger downloads the test results stored in a photovoltaic (PV)\n"
    "tester over a serial port, shows them as they arrive and saves them as CSV\n"
    "or text. Languages: German, English, French, Spanish, Italian and Dutch.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY thalden-datalogger)
# The absolute destinations (/usr/bin, /usr/share) land in the package, not on
# the building machine, only when cpack installs with DESTDIR.
set(CPACK_SET_DESTDIR ON)
# The package always uses the application folder the program is documented in.
set(CPACK_INSTALL_PREFIX /opt/thalden-datalogger)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.thalden.de/datalogger")
# dpkg-shlibdeps finds libc, libstdc++ and the Qt libraries the executable links;
# the platform plugins (xcb, wayland) are loaded at run time and come on top.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Help > Help opens the page with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
