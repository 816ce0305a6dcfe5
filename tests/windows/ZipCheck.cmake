# Makes the Windows release .zip with CPack and checks that it holds both
# machines' Quenta.dll, the headers and the host guide. Skipped where the
# 32-bit build is not there to take from.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/../package/PackageContents.cmake")
if(NOT EXISTS "${X86_BUILD}/cmake_install.cmake")
  message(STATUS "no 32-bit build at ${X86_BUILD}: nothing to pack beside this one")
  return()
endif()
set(zip "${BUILD_DIR}/packages/quenta-${VERSION}-windows.zip")
file(REMOVE "${zip}")
execute_process(COMMAND "${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake" RESULT_VARIABLE rc
  OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS "${zip}")
  message(FATAL_ERROR "cpack made no ${zip} (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${zip}" OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot list ${zip}")
endif()
expect_paths("${zip}" "${listing}" ${QUENTA_ZIP_PATHS})
file(SIZE "${zip}" size)
message(STATUS "${zip} (${size} bytes) holds what it must")
