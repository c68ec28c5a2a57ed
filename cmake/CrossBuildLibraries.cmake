# What the Windows build takes from this machine: GoogleTest built from the sources that Debian's
# googletest package ships, and CLI11 and nlohmann-json, which are headers only, lent by their own
# folders alone, so that no other header of this machine's reaches the Windows compiler.
if(VELMOR_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # It names its targets GTest::gtest and GTest::gtest_main, as the installed package does.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

set(lent ${CMAKE_BINARY_DIR}/lent-headers)
file(MAKE_DIRECTORY ${lent})
foreach(folder CLI nlohmann)
  if(NOT EXISTS ${lent}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${lent}/${folder} SYMBOLIC)
  endif()
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${lent})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${lent})
