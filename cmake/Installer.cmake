# Makes the MSI installer of one version with wixl (run as a script), from a folder that
# holds pixtrove.exe and pixtrove.html as they are installed:
#   cmake -DVERSION=2.0.0.5 -DFILES=DIR -DOUTPUT=FILE.msi [-DWIXL=wixl] -P Installer.cmake
# The product code follows from the version: the same version built again is the same product
# (installing it again changes nothing), and every other version is another one, which a
# higher version replaces.
foreach(name VERSION FILES OUTPUT)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "Installer.cmake needs -D${name}=...")
    endif()
endforeach()
if(NOT DEFINED WIXL)
    set(WIXL wixl)
endif()
string(UUID product_code NAMESPACE 94BF9CEC-977D-4D6D-9A9E-28C995DBC224 NAME "Pixtrove! ${VERSION}"
    TYPE SHA1 UPPER)
get_filename_component(output ${OUTPUT} ABSOLUTE)
# wixl looks for the files named in the source in the folder it runs in.
execute_process(COMMAND ${WIXL} --arch x64 -o ${output}
        -D Version=${VERSION} -D ProductCode=${product_code} ${CMAKE_CURRENT_LIST_DIR}/pixtrove.wxs
    WORKING_DIRECTORY ${FILES} COMMAND_ERROR_IS_FATAL ANY)
