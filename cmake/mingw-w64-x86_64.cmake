# Cross-building for 64-bit Windows with Debian's mingw-w64 (the "posix"
# thread model, so std::thread and std::mutex exist), the tests run by wine:
#   cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
# scripts/windows-build does this with a wine prefix of its own. The window
# needs a Qt built for mingw: TESSARIN_QT_MINGW names its folder (default
# qt6-mingw in the build folder, where scripts/windows-build unpacks it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSARIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSARIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSARIN_MINGW_TRIPLE}-windres)

# Headers, libraries and packages of the target only: the build machine's Qt,
# GoogleTest or Google Benchmark would link nothing here.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARIN_MINGW_TRIPLE})
if(NOT DEFINED TESSARIN_QT_MINGW)
  if(DEFINED ENV{TESSARIN_QT_MINGW})
    set(TESSARIN_QT_MINGW $ENV{TESSARIN_QT_MINGW})
  else()
    set(TESSARIN_QT_MINGW ${CMAKE_BINARY_DIR}/qt6-mingw)
  endif()
endif()
# try_compile projects read this file again in a folder of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARIN_QT_MINGW)
if(EXISTS ${TESSARIN_QT_MINGW}/lib/cmake/Qt6)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TESSARIN_QT_MINGW})
  # Qt's cross-build convention: moc, rcc and uic of the build machine's Qt
  # of the same version (Debian's qt6-base-dev-tools).
  set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine (its moc, rcc, uic)")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake packages of QT_HOST_PATH's Qt")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest, and the test discovery after each build, start the .exe through
# this.
find_program(TESSARIN_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARIN_WINE})
