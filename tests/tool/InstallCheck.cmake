# Installs the build into a fresh prefix and draws the showcase with the
# installed tool, run from another folder.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file
    "${BINDIR}/quenta-render"
    "${MODULE_DIR}/Quenta.so" "${MODULE_DIR}/Scrivo2.so"
    "${MODULE_DIR}/Plotra.so" "${MODULE_DIR}/Vaultrix.so"
    "${MODULE_DIR}/Pictura.so"
    "${INCLUDEDIR}/quenta/MessageRenderer.h")
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(
  COMMAND "${PREFIX}/${BINDIR}/quenta-render" -a "${EXAMPLES}/pictures"
    -o "${PREFIX}/showcase.png" "${EXAMPLES}/showcase.txt"
  WORKING_DIRECTORY "${PREFIX}/${INCLUDEDIR}"
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS "${PREFIX}/showcase.png")
  message(FATAL_ERROR "the installed tool failed (${rc}): ${err}")
endif()
message(STATUS "installed tool drew ${PREFIX}/showcase.png")
