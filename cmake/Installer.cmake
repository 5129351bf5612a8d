# Makes the MSI installer of one version with wixl (run as a script, or included by CPack's
# External generator), from a folder holding pixtrove.exe and pixtrove.html as they are
# installed, and the program's icon for Apps & features:
#   cmake -DVERSION=2.0.0.5 -DFILES=DIR -DICON=pixtrove.ico -DOUTPUT=FILE.msi [-DWIXL=wixl] -P Installer.cmake
# The product code follows from the version: the same version built again is the same product
# (installing it again changes nothing), and every other version is another one, which a
# higher version replaces.
foreach(name VERSION FILES ICON OUTPUT)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "Installer.cmake needs -D${name}=...")
    endif()
endforeach()
if(NOT DEFINED WIXL)
    set(WIXL wixl)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/InstallerCodes.cmake)
string(UUID product_code NAMESPACE ${PIXTROVE_UPGRADE_CODE} NAME "Pixtrove! ${VERSION}"
    TYPE SHA1 UPPER)
# wixl looks for the files named in the source in the folder it runs in: one of its own.
get_filename_component(output ${OUTPUT} ABSOLUTE)
set(work ${output}.files)
file(REMOVE_RECURSE ${work})
file(COPY ${FILES}/pixtrove.exe ${FILES}/pixtrove.html DESTINATION ${work})
file(COPY_FILE ${ICON} ${work}/pixtrove.ico)
execute_process(COMMAND ${WIXL} --arch x64 -o ${output}
        -D Version=${VERSION} -D ProductCode=${product_code} -D UpgradeCode=${PIXTROVE_UPGRADE_CODE}
        ${CMAKE_CURRENT_LIST_DIR}/pixtrove.wxs
    WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})
