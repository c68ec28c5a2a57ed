# The packages, made by CPack in the build folder: on Linux a Debian package (cpack -G DEB, see
# scripts/package-debian); on Windows the zip and the installer (cpack -G ZIP and -G NSIS, see
# scripts/package-windows). Other systems get none.
if(WIN32)
  set(packaging ${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(packaging ${CMAKE_CURRENT_LIST_DIR}/PackagingDebian.cmake)
else()
  return()
endif()

set(CPACK_PACKAGE_NAME velmor-editor)
set(CPACK_PACKAGE_VENDOR "Velmor Saved Game Editor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of the party in saved games of Velmor")
# Without the symbols of the runtime linked in, which nobody debugs from a package.
set(CPACK_STRIP_FILES ON)
# Values reach CPack as written here, quotes and all.
set(CPACK_VERBATIM_VARIABLES ON)
include(${packaging})
include(CPack)
