# The release package: one zip with the three programs, their help files and
# the players' ReadMe, all at the top of the archive, so that unpacking it into
# the game folder puts every file where it belongs.
#   cmake --build build --target package   ->   build/JJ2Utilities-<version>-win64.zip
# Only what the install rules name goes in (apps/CMakeLists.txt and below);
# the test programs, the stand-ins and the benchmark have none.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  message(WARNING "This is a ${CMAKE_BUILD_TYPE} build: its package is not a release for players.")
endif()
install(FILES ${PROJECT_SOURCE_DIR}/apps/ReadMe.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Whatever the build type, the packaged programs carry no symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
