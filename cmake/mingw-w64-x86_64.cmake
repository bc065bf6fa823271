# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
#   cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZIBOLT_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model carries std::thread and friends; the win32 one lacks them in older GCCs.
find_program(CMAKE_C_COMPILER NAMES ${ZIBOLT_MINGW_PREFIX}-gcc-posix ${ZIBOLT_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ZIBOLT_MINGW_PREFIX}-g++-posix ${ZIBOLT_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ZIBOLT_MINGW_PREFIX}-windres REQUIRED)
# The zip's programs are stripped with the target's own tool.
find_program(CMAKE_STRIP NAMES ${ZIBOLT_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIBOLT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable each: no MinGW runtime DLLs to ship beside the saver.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
