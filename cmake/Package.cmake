# The release package (cmake --build --preset mingw --target package): a ZIP holding the
# program and its help page side by side at its top, as install() puts them.
set(PIXTROVE_PACKAGE ${CMAKE_BINARY_DIR}/pixtrove-${PROJECT_VERSION}-win64.zip)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pixtrove)
set(CPACK_PACKAGE_VENDOR Kvn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME pixtrove-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
