# The release packages (cmake --build --preset mingw --target package), both made from the
# files as install() puts them: a ZIP holding the program and its help page side by side at its
# top, and the MSI installer (made by wixl through cmake/InstallerPackage.cmake).
find_program(WIXL wixl REQUIRED DOC "msitools' MSI builder (Debian package wixl)")
set(PIXTROVE_PACKAGE ${CMAKE_BINARY_DIR}/pixtrove-${PROJECT_VERSION}-win64.zip)
set(PIXTROVE_INSTALLER ${CMAKE_BINARY_DIR}/pixtrove-${PROJECT_VERSION}-win64.msi)
set(CPACK_GENERATOR ZIP External)
set(CPACK_PACKAGE_NAME pixtrove)
set(CPACK_PACKAGE_VENDOR Kvn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME pixtrove-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallerPackage.cmake)
set(CPACK_PIXTROVE_WIXL ${WIXL})
set(CPACK_PIXTROVE_ICON ${PROJECT_BINARY_DIR}/res/art/pixtrove.ico)
include(CPack)
