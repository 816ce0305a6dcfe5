# 32-bit Windows (i686) with Debian's mingw-w64, posix thread model: the full
# C++ thread library (GCC 12's win32 model lacks std::thread and std::mutex),
# with winpthreads linked statically into each binary, so nothing extra ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(QUENTA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QUENTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUENTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUENTA_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross sysroot only; programs run here.
set(CMAKE_FIND_ROOT_PATH /usr/${QUENTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# 32-bit MSVC code keeps the stack 4-byte aligned only, while GCC assumes 16
# bytes on entry. Code that hosts call into realigns where it needs to.
set(CMAKE_C_FLAGS_INIT "-mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-mincoming-stack-boundary=2")
