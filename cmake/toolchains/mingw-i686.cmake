# 32-bit Windows (i686) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUENTA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# 32-bit MSVC code keeps the stack 4-byte aligned only, while GCC assumes 16
# bytes on entry. Code that hosts call into realigns where it needs to.
set(CMAKE_C_FLAGS_INIT "-mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-mincoming-stack-boundary=2")
