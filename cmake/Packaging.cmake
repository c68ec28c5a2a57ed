# The Windows zip, made by CPack (cpack -G ZIP in the build folder): velmor-editor.exe,
# velmor-save.exe and a short readme in one folder, velmor-editor-VERSION-windows-x64.
if(NOT WIN32)
  return()
endif()

if(VELMOR_BUILD_WIN32)
  install(TARGETS velmor-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# Lines end as Notepad of every Windows version expects.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
               ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmor-editor)
set(CPACK_PACKAGE_VENDOR "Velmor Saved Game Editor")
set(CPACK_PACKAGE_FILE_NAME velmor-editor-${PROJECT_VERSION}-windows-x64)
# Without the symbols of the runtime linked in, which nobody debugs from a zip.
set(CPACK_STRIP_FILES ON)
include(CPack)
