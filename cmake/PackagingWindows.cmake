# The Windows zip, velmor-editor-VERSION-windows-x64.zip: velmor-editor.exe, velmor-save.exe and a
# short readme in one folder of that name. And the installer beside it, the same name with
# -setup.exe (cmake/PackageFileNames.cmake): the same files in Program Files, the editor in the
# Start menu, saved games (*.dkv) offered to it, and an uninstaller that takes all of that away.
if(VELMOR_BUILD_WIN32)
  install(TARGETS velmor-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# Lines end as Notepad of every Windows version expects.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
               ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME velmor-editor-${PROJECT_VERSION}-windows-x64)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageFileNames.cmake)

# The same name for every version, so that installing a new one finds the old one and removes it
# first, and Windows lists the program once.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmor Saved Game Editor")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Velmor Saved Game Editor")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_DISPLAY_NAME "Velmor Saved Game Editor")
set(CPACK_NSIS_PACKAGE_NAME "Velmor Saved Game Editor")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for 64-bit programs: it writes the registry's 64-bit view, with nothing
# redirected, and runs under a wine without 32-bit support. Our name at the foot of each page,
# where NSIS puts its own (CPack's setting of it asks for a trimming that makensis refuses on
# Linux). Then the macros of our own.
set(macros ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsh)
set(CPACK_NSIS_DEFINES "  Target amd64-unicode
  BrandingText \"Velmor Saved Game Editor ${PROJECT_VERSION}\"
  !define VELMOR_VENDOR \"${CPACK_PACKAGE_VENDOR}\"
  !include \"${macros}\"")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# We have no licence text to agree to; CPack would otherwise show its placeholder.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)

# Our icon on the installer, the uninstaller and the entry in the list of installed programs.
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/win32/pictures/icon128.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME velmor-editor.exe)

# The editor in the Start menu, in a folder of our name beside the uninstaller's shortcut; and
# saved games offered to it.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "  !insertmacro CreateStartMenuEntry")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  !insertmacro DeleteStartMenuEntry")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "  !insertmacro RegisterSavedGames")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "  !insertmacro UnregisterSavedGames")
