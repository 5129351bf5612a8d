# Windows takes a DLL that is not a KnownDLL from the program's folder before System32, and
# under Wine even the imports of the system's own DLLs are looked for there (Wine's user32
# imports version.dll; its comctl32 loads uxtheme.dll as it starts). So the program binds the
# system DLLs it calls (other than kernel32, advapi32 and msvcrt, which import nothing of the
# kind) at their first call instead of at start: none of them loads before the program's entry
# has narrowed the DLL search to System32 (win::RestrictDllSearchToSystem32).
# GNU ld binds through the delay-load libraries that GNU dlltool makes. lld makes the delay-load
# tables itself (--delayload), in writable data as the binding helper needs, but only for
# imports from short-format import libraries, which llvm-dlltool makes from the same list.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    find_program(PIXTROVE_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
    set(PIXTROVE_DLLTOOL ${PIXTROVE_LLVM_DLLTOOL})
    set(PIXTROVE_DELAY_FORMAT short)
else()
    find_program(PIXTROVE_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
    set(PIXTROVE_DELAY_FORMAT delay)
endif()

# The delay-load import libraries of the given DLLs, made in the build tree, in `out`.
function(pixtrove_delay_load_libraries out)
    set(libraries)
    set(made)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delay-load)
    foreach(dll IN LISTS ARGN)
        find_library(PIXTROVE_IMPORT_${dll} NAMES lib${dll}.a REQUIRED)
        set(library ${CMAKE_BINARY_DIR}/delay-load/lib${dll}_delay.a)
        add_custom_command(OUTPUT ${library}
            COMMAND ${PROJECT_SOURCE_DIR}/scripts/delay-import.sh ${CMAKE_NM} ${PIXTROVE_DLLTOOL}
                    ${PIXTROVE_IMPORT_${dll}} ${dll}.dll ${library} ${PIXTROVE_DELAY_FORMAT}
            DEPENDS ${PROJECT_SOURCE_DIR}/scripts/delay-import.sh
            COMMENT "Delay-loading ${dll}.dll")
        list(APPEND libraries ${library})
        list(APPEND made ${library})
        if(PIXTROVE_DELAY_FORMAT STREQUAL short)
            list(APPEND libraries -Wl,--delayload=${dll}.dll)
        endif()
    endforeach()
    add_custom_target(pixtrove_delay_load DEPENDS ${made})
    set(${out} ${libraries} PARENT_SCOPE)
endfunction()
