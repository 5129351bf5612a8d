# Windows tree: the program, its Windows-side tests and benchmarks (run under Wine).
set(WIN_DEFINES UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Win32 structures are customarily initialised with their size first and the rest zero.
set(WIN_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)
set(WIN_LIBS user32 gdi32 comctl32 advapi32 version uxtheme shell32 dwmapi windowscodecs ole32 comdlg32)
add_link_options(-static -static-libgcc -static-libstdc++)
target_compile_definitions(pixtrove_core PUBLIC ${WIN_DEFINES})

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(pixtrove_win32 STATIC ${WIN32_SOURCES})
target_compile_options(pixtrove_win32 PRIVATE ${WIN_WARNINGS})
target_link_libraries(pixtrove_win32 PUBLIC pixtrove_core ${WIN_LIBS})

file(GLOB APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp)
list(FILTER APP_SOURCES EXCLUDE REGEX "WinMain\\.cpp$")
add_library(pixtrove_app STATIC ${APP_SOURCES})
target_compile_options(pixtrove_app PRIVATE ${WIN_WARNINGS})
target_link_libraries(pixtrove_app PUBLIC pixtrove_win32)
target_include_directories(pixtrove_app PUBLIC res)

# Artwork: text pixel art turned into the tool-bar strip and the icons.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
set(ART ${CMAKE_SOURCE_DIR}/res/art)
set(PIXELART ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/pixelart.py)
set(GLYPHS ${ART}/glyph0.txt ${ART}/glyph1.txt ${ART}/glyph2.txt ${ART}/glyph3.txt ${ART}/glyph4.txt ${ART}/glyph5.txt)
add_custom_command(OUTPUT ${ART_DIR}/toolbar.bmp ${ART_DIR}/pixtrove.ico ${ART_DIR}/shot.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_DIR}
    COMMAND ${PIXELART} strip ${ART_DIR}/toolbar.bmp ${GLYPHS}
    COMMAND ${PIXELART} icon ${ART_DIR}/pixtrove.ico ${ART}/pixtrove32.txt ${ART}/pixtrove16.txt
    COMMAND ${PIXELART} icon ${ART_DIR}/shot.ico ${ART}/shot32.txt ${ART}/shot16.txt
    DEPENDS ${GLYPHS} ${ART}/pixtrove32.txt ${ART}/pixtrove16.txt ${ART}/shot32.txt ${ART}/shot16.txt
            ${CMAKE_SOURCE_DIR}/scripts/pixelart.py
    COMMENT "Drawing the glyphs and icons")
add_custom_target(artwork DEPENDS ${ART_DIR}/toolbar.bmp ${ART_DIR}/pixtrove.ico ${ART_DIR}/shot.ico)

# The resources go into the program and into every Windows test, which create the real windows.
add_library(pixtrove_res OBJECT res/pixtrove.rc)
target_include_directories(pixtrove_res PRIVATE ${ART_DIR} ${CMAKE_SOURCE_DIR}/res ${CMAKE_SOURCE_DIR}/src)
set_source_files_properties(res/pixtrove.rc PROPERTIES OBJECT_DEPENDS
    "${ART_DIR}/toolbar.bmp;${ART_DIR}/pixtrove.ico;${ART_DIR}/shot.ico;${CMAKE_SOURCE_DIR}/res/pixtrove.manifest;${CMAKE_SOURCE_DIR}/res/resource.h")
add_dependencies(pixtrove_res artwork)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_executable(pixtrove WIN32 src/app/WinMain.cpp $<TARGET_OBJECTS:pixtrove_res>)
target_compile_options(pixtrove PRIVATE ${WIN_WARNINGS})
target_link_options(pixtrove PRIVATE -municode)
target_link_libraries(pixtrove PRIVATE pixtrove_app)

# Windows-side tests: GoogleTest built from the system sources, run by CTest through Wine
# in a prefix inside the build tree, on the X display that scripts/test.sh provides.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(WINEPREFIX_DIR ${CMAKE_BINARY_DIR}/wineprefix)
set(WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN} ${WINEPREFIX_DIR})
add_test(NAME wineprefix_setup COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${WINEPREFIX_DIR} 96)
add_test(NAME wineprefix_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${WINEPREFIX_DIR} --stop)
set_tests_properties(wineprefix_setup PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wineprefix_stop PROPERTIES FIXTURES_CLEANUP wine)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*Test.cpp)
# The high-DPI test needs a screen of another DPI, so a prefix of its own (below).
list(FILTER WIN_TEST_SOURCES EXCLUDE REGEX "/HighDpiTest\\.cpp$")
file(GLOB WIN_TEST_SUPPORT CONFIGURE_DEPENDS tests/win/support/*.cpp)
add_library(win_test_support STATIC ${WIN_TEST_SUPPORT})
target_include_directories(win_test_support PUBLIC tests/win/support)
target_link_libraries(win_test_support PUBLIC pixtrove_app gtest)
target_compile_definitions(win_test_support PRIVATE PIXTROVE_EXE="$<TARGET_FILE:pixtrove>")
include(GoogleTest)
foreach(src IN LISTS WIN_TEST_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} $<TARGET_OBJECTS:pixtrove_res>)
    target_compile_options(${name} PRIVATE ${WIN_WARNINGS})
    target_link_libraries(${name} PRIVATE win_test_support gtest_main)
    add_dependencies(${name} pixtrove)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120 RESOURCE_LOCK display)
endforeach()

# The main window at 144 dpi: a second prefix whose screen is set to 144 dpi, with its own
# server. The program is run as one test, so that nothing needs that prefix before its setup.
set(WINEPREFIX144_DIR ${CMAKE_BINARY_DIR}/wineprefix144)
add_test(NAME wineprefix144_setup COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${WINEPREFIX144_DIR} 144)
add_test(NAME wineprefix144_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${WINEPREFIX144_DIR} --stop)
set_tests_properties(wineprefix144_setup PROPERTIES FIXTURES_SETUP wine144)
set_tests_properties(wineprefix144_stop PROPERTIES FIXTURES_CLEANUP wine144)
add_executable(HighDpiTest tests/win/HighDpiTest.cpp $<TARGET_OBJECTS:pixtrove_res>)
target_compile_options(HighDpiTest PRIVATE ${WIN_WARNINGS})
target_link_libraries(HighDpiTest PRIVATE win_test_support gtest_main)
add_test(NAME HighDpiTest COMMAND ${WINE_RUN} ${WINEPREFIX144_DIR} $<TARGET_FILE:HighDpiTest>)
set_tests_properties(HighDpiTest PROPERTIES FIXTURES_REQUIRED wine144 TIMEOUT 120 RESOURCE_LOCK display)

# The program needs no DLL but the system's own: a property of the build, checked on the file
# itself (not under Wine). Any other DLL named in its imports is printed and fails the test.
add_test(NAME pixtrove_imports_only_system_dlls
    COMMAND sh -c [=[
dlls=$("$0" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p') && [ -n "$dlls" ] &&
! printf '%s\n' "$dlls" | grep -Eiv '^(kernel32|user32|gdi32|comctl32|advapi32|version|shell32|ole32|oleaut32|comdlg32|shlwapi|uxtheme|dwmapi|windowscodecs|imm32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
]=] ${CMAKE_OBJDUMP} $<TARGET_FILE:pixtrove>)

file(GLOB WIN_BENCH_SOURCES CONFIGURE_DEPENDS bench/win/*.cpp)
foreach(src IN LISTS WIN_BENCH_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} $<TARGET_OBJECTS:pixtrove_res>)
    target_link_libraries(${name} PRIVATE pixtrove_app)
    target_include_directories(${name} PRIVATE tests/win/support)
endforeach()

# The scripted tour that scripts/run.sh shows where there is no display.
add_executable(pixtrove_demo demo/Demo.cpp)
target_include_directories(pixtrove_demo PRIVATE res)
target_compile_definitions(pixtrove_demo PRIVATE ${WIN_DEFINES})
target_compile_options(pixtrove_demo PRIVATE ${WIN_WARNINGS})
target_link_options(pixtrove_demo PRIVATE -municode)
target_link_libraries(pixtrove_demo PRIVATE user32 gdi32 advapi32)

add_subdirectory(tests/run)
