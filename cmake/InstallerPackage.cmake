# Run by CPack's External generator with the installed files staged: makes the MSI installer
# from them, which CPack then puts beside the ZIP.
set(VERSION ${CPACK_PACKAGE_VERSION})
set(FILES ${CPACK_TEMPORARY_DIRECTORY})
set(OUTPUT ${CPACK_TEMPORARY_DIRECTORY}/../${CPACK_PACKAGE_FILE_NAME}.msi)
set(WIXL ${CPACK_PIXTROVE_WIXL})
set(ICON ${CPACK_PIXTROVE_ICON})
include(${CMAKE_CURRENT_LIST_DIR}/Installer.cmake)
get_filename_component(OUTPUT ${OUTPUT} ABSOLUTE)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${OUTPUT})
