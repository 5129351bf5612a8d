# Cross-compiling for 64-bit Windows with Debian's clang and lld, against the same MinGW-w64
# headers and libraries as the GCC build: the Windows headers and import libraries of
# /usr/x86_64-w64-mingw32, and the posix-thread GCC's libstdc++, libgcc and winpthreads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_SYSROOT /usr/${triple})
# Resources go through the same windres; the package check reads the imports with its objdump.
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump CACHE FILEPATH "")

# clang does not find Debian's GCC for MinGW by itself: ask it where its libstdc++ lives.
execute_process(COMMAND ${triple}-g++-posix -print-file-name=libstdc++.a
    OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_dir ${libstdcxx} DIRECTORY)
set(cxx_include ${gcc_dir}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT -nostdinc++
    -isystem ${cxx_include} -isystem ${cxx_include}/${triple} -isystem ${cxx_include}/backward)
# The posix-thread libstdc++ and libgcc call winpthreads, which GCC's driver adds by itself
# (lld finds a library's symbols wherever it stands on the line).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -lpthread -Wno-unused-command-line-argument")
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${CMAKE_EXE_LINKER_FLAGS_INIT})

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
