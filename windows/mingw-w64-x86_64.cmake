# Cross build for 64-bit Windows with MinGW-w64 (Debian g++-mingw-w64-x86-64):
#
#   cmake -S . -B build-mingw -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=windows/mingw-w64-x86_64.cmake \
#     -DTUFU_HOST_TOOLS=<a native build folder>
#
# The POSIX-threads variant of the compiler is used: its libstdc++ has
# std::thread and std::mutex.  Programs are linked statically (libstdc++,
# libgcc, winpthread), so that a Windows machine needs nothing else.  Tests
# run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(tufu_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tufu_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tufu_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${tufu_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${tufu_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Release programs without symbols (the static C++ library brings its own).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")

find_program(TUFU_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TUFU_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TUFU_WINE})
endif()
