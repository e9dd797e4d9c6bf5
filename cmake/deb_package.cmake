# The Debian package: `cpack` in the build folder writes
# veltrano_<version>-<release>_<arch>.deb from the same install rules as
# `cmake --install`, with the prefix /usr.
#
# The caches of the desktop (MIME database, desktop-file database, icon
# cache) need no maintainer scripts: shared-mime-info, desktop-file-utils
# and hicolor-icon-theme watch /usr/share/mime/packages,
# /usr/share/applications and /usr/share/icons/hicolor with dpkg triggers.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrano)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veltrano developers")
set(CPACK_PACKAGE_CONTACT "The Veltrano developers <veltrano@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for chemical structural formulas")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/veltrano/veltrano)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The synopsis is the summary above; this is the extended text, whose lines
# CPack indents.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Veltrano draws chemical structural formulas for teachers and students, with
a German user interface: bonds of one fixed length that snap to the angles
of five-, six- and seven-membered rings, wedges, arrows, brackets, labels and
free text, ring templates, and .cfd formula files read and written byte for
byte. veltrano-render draws a .cfd file into a bitmap without a display.")

# The libraries come from dpkg-shlibdeps where it is installed (dpkg-dev);
# without it, the Qt 6 and C++ runtime packages of Debian 12 are named. The
# fonts with the metrics of the Windows fonts and Qt's German texts are
# always needed and no library names them.
set(veltrano_runtime_data "fonts-liberation2, fonts-liberation, qt6-translations-l10n")
find_program(VELTRANO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELTRANO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${veltrano_runtime_data}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libstdc++6 (>= 12), libgcc-s1, libc6 (>= 2.36), ${veltrano_runtime_data}")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")

include(CPack)
