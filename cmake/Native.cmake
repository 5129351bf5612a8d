# Native (Linux) tree: the core and its tests under AddressSanitizer and UBSan.
find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(pixtrove_core PRIVATE ${SANITIZE})
target_link_options(pixtrove_core PUBLIC ${SANITIZE})

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_compile_options(core_tests PRIVATE -Wall -Wextra -Werror ${SANITIZE})
target_link_libraries(core_tests PRIVATE pixtrove_core GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST)

file(GLOB CORE_BENCH_SOURCES CONFIGURE_DEPENDS bench/core/*.cpp)
foreach(src IN LISTS CORE_BENCH_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -O2)
    target_link_libraries(${name} PRIVATE pixtrove_core)
endforeach()
