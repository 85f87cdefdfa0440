# Cross build of the Windows edition: 32-bit Windows programs made with Debian's mingw-w64
# compilers (the -posix variants, which have std::thread and std::mutex), linked statically so
# each program runs on its own, and run under Wine wherever the build runs one of them
# (test discovery, ctest).
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(BP_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${BP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BP_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross root only, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${BP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# -static does not reach a library named by its full path: zlib must be found as its static
# archive, or the programs need a zlib1.dll that Windows does not have.
set(ZLIB_USE_STATIC_LIBS ON)

# One Wine prefix per build folder, made on first use; Wine's own diagnostics stay quiet.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
