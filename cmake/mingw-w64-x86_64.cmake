# Cross-building for 64-bit Windows with Debian's mingw-w64 (the "posix"
# thread model, so std::thread and std::mutex exist), the tests run by wine:
#   cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
# scripts/windows-build does this with a wine prefix of its own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSARIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSARIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSARIN_MINGW_TRIPLE}-windres)

# Headers, libraries and packages of the target only: the build machine's Qt,
# GoogleTest or Google Benchmark would link nothing here.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config is the build machine's program: it must see the target's .pc
# files only, or it would offer the build machine's libdisplay-info.
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)

# The GCC runtime and winpthread linked in: the .exe runs on a machine (or a
# wine prefix) that has none of mingw's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest, and the test discovery after each build, start the .exe through
# this.
find_program(TESSARIN_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARIN_WINE})
