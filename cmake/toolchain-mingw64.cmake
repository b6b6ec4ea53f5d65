# Cross-build for 64-bit Windows with Debian's mingw-w64 (posix thread model); the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RW_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model: std::thread and std::mutex come from winpthreads, which the win32 model lacks.
set(CMAKE_C_COMPILER ${RW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${RW_MINGW_TRIPLE}-windres)

# Target libraries and headers (zlib, ...) come only from the mingw sysroot, never from the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${RW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static runtime (libstdc++, libgcc, winpthreads, zlib): the exes need no DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(ZLIB_USE_STATIC_LIBS ON)

# wine64 itself, not the `wine` wrapper script, which looks for a 32-bit Wine first. Debian keeps it in
# /usr/lib/wine; elsewhere it is on the PATH.
find_program(RW_WINE64 wine64 PATHS /usr/lib/wine)
if(RW_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RW_WINE64})
endif()
