# libzip for the Windows Vaultrix, built from Debian's libzip source package
# (unpacked by scripts/mingw-sources.sh) with the same mingw-w64 toolchain,
# as a static library over the static zlib of libz-mingw-w64-dev: the DLL
# then imports nothing but Windows' own DLLs. Defines mingw_libzip, an
# imported target to link.
include(ExternalProject)

set(QUENTA_LIBZIP_SOURCE_DIR /usr/src/quenta-mingw/libzip CACHE PATH
    "libzip sources for the Windows builds (scripts/mingw-sources.sh unpacks Debian's)")
if(NOT EXISTS "${QUENTA_LIBZIP_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "No libzip sources in ${QUENTA_LIBZIP_SOURCE_DIR}: run scripts/mingw-sources.sh")
endif()
find_file(QUENTA_MINGW_ZLIB libz.a PATHS "/usr/${QUENTA_MINGW_TRIPLE}/lib" NO_DEFAULT_PATH REQUIRED)
find_path(QUENTA_MINGW_ZLIB_INCLUDE zlib.h PATHS "/usr/${QUENTA_MINGW_TRIPLE}/include" NO_DEFAULT_PATH REQUIRED)

set(prefix "${CMAKE_BINARY_DIR}/mingw-libzip")
set(library "${prefix}/lib/libzip.a")
set(launchers "")
if(CMAKE_C_COMPILER_LAUNCHER)
  set(launchers "-DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}")
endif()
# Reading archives needs zlib's deflate alone: no other compression, no
# encryption, none of libzip's programs, tests or manual pages.
ExternalProject_Add(mingw_libzip_build
  SOURCE_DIR "${QUENTA_LIBZIP_SOURCE_DIR}"
  BINARY_DIR "${CMAKE_BINARY_DIR}/mingw-libzip-build"
  INSTALL_DIR "${prefix}"
  CMAKE_ARGS
    "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}"
    "-DCMAKE_BUILD_TYPE=Release"
    "-DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>"
    "-DCMAKE_INSTALL_LIBDIR=lib"
    "-DCMAKE_C_FLAGS=${CMAKE_C_FLAGS_INIT}"
    ${launchers}
    -DBUILD_SHARED_LIBS=OFF
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF
    "-DZLIB_LIBRARY=${QUENTA_MINGW_ZLIB}" "-DZLIB_INCLUDE_DIR=${QUENTA_MINGW_ZLIB_INCLUDE}"
  BUILD_BYPRODUCTS "${library}"
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)

file(MAKE_DIRECTORY "${prefix}/include")
add_library(mingw_libzip STATIC IMPORTED GLOBAL)
set_target_properties(mingw_libzip PROPERTIES IMPORTED_LOCATION "${library}")
# ZIP_STATIC: the headers' declarations without dllimport. advapi32 gives
# libzip its random numbers (for temporary names, unused when reading).
target_compile_definitions(mingw_libzip INTERFACE ZIP_STATIC)
target_include_directories(mingw_libzip INTERFACE "${prefix}/include")
target_link_libraries(mingw_libzip INTERFACE "${QUENTA_MINGW_ZLIB}" advapi32)
add_dependencies(mingw_libzip mingw_libzip_build)
