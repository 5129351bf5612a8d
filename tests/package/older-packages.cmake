# Makes installers of lower versions from the built program, each with a help page of its own
# (so that an upgrade shows in the installed files), as the release's installer is made:
#   cmake -DPROGRAM=pixtrove.exe -DICON=pixtrove.ico -DOUT=DIR -DVERSIONS="1.9.9;2.0.0.4" [-DWIXL=wixl]
#         -P older-packages.cmake
foreach(version IN LISTS VERSIONS)
    set(files ${OUT}/files-${version})
    file(REMOVE_RECURSE ${files})
    file(COPY ${PROGRAM} DESTINATION ${files})
    file(WRITE ${files}/pixtrove.html "<!DOCTYPE html><title>Pixtrove! ${version}</title>\n")
    set(VERSION ${version})
    set(FILES ${files})
    set(OUTPUT ${OUT}/pixtrove-${version}-win64.msi)
    include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Installer.cmake)
endforeach()
