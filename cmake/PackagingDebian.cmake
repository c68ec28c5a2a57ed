# The Debian package, velmor-editor_VERSION_ARCH.deb: both programs, the desktop entry, the type of
# saved games, the icons and the manual page, under /usr. Installing it needs no script of ours:
# the triggers of shared-mime-info, desktop-file-utils, hicolor-icon-theme and man-db rebuild
# their caches from the files alone.
set(VELMOR_PACKAGE_MAINTAINER
    "Velmor Saved Game Editor maintainers <maintainers@velmor-editor.example>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMOR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Below the summary, which CPack puts on the first line.
set(CPACK_PACKAGE_DESCRIPTION "A desktop editor for the party of a saved game of Velmor: food, gold
and bank gold, and for each of the 36 characters the class, the seven
statistics, experience, skill points, skills and spells. Saving writes the
party back into the same saved game and changes no other byte; a save is all
or nothing, and the first one keeps a backup of the game beside it. File
managers offer the editor for saved games (*.dkv). velmor-save, also in the
package, makes the same edits, dumps and compares saved games from the
command line.")
# Depends comes from the libraries the programs link (dpkg-shlibdeps), never from a list here.
# Qt's platform plugin for X11 lies in libqt6gui6, which the editor links anyway.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
