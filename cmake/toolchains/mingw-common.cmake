# Shared by the mingw-w64 toolchain files, which set QUENTA_MINGW_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR first. Debian's posix thread model: the full C++
# thread library (GCC 12's win32 model lacks std::thread and std::mutex), with
# winpthreads linked statically into each binary, so nothing extra ships.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUENTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUENTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUENTA_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross sysroot only; programs run here.
set(CMAKE_FIND_ROOT_PATH /usr/${QUENTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
