# Builds the release packages of this build with CPack and checks them:
# each holds the paths PackageContents.cmake lists, the .deb's version is
# the tools' --version, and the example hosts, C++ and C, build against the
# .deb unpacked into a scratch root and draw.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/PackageContents.cmake")

function(run what)  # command...
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(packages "${BUILD_DIR}/packages")
file(REMOVE_RECURSE "${packages}" "${WORK_DIR}")
run("cpack" "${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake")  # its generators: TGZ and DEB
file(GLOB deb "${packages}/quenta_${VERSION}_*.deb")
set(tgz "${packages}/quenta-${VERSION}-linux-x86_64.tar.gz")
if(NOT deb OR NOT EXISTS "${tgz}")
  file(GLOB made "${packages}/*")
  message(FATAL_ERROR "cpack made no .deb or .tar.gz of ${VERSION}: ${made}")
endif()

run("listing the .deb" dpkg-deb --contents "${deb}")
expect_paths("${deb}" "${output}" ${QUENTA_DEB_PATHS})
run("listing the .tar.gz" "${CMAKE_COMMAND}" -E tar tf "${tgz}")
expect_paths("${tgz}" "${output}" ${QUENTA_TGZ_PATHS})

run("reading the .deb's version" dpkg-deb --field "${deb}" Version)
string(STRIP "${output}" deb_version)
set(root "${WORK_DIR}/root")
file(MAKE_DIRECTORY "${root}")
run("unpacking the .deb" dpkg-deb -x "${deb}" "${root}")
foreach(tool quenta quenta-render)
  run("${tool} --version" "${root}/usr/bin/${tool}" --version)
  string(STRIP "${output}" tool_version)
  if(NOT tool_version STREQUAL VERSION OR NOT deb_version STREQUAL VERSION)
    message(FATAL_ERROR "versions disagree: ${tool} says '${tool_version}', the .deb '${deb_version}', the build '${VERSION}'")
  endif()
endforeach()

# The manual pages render, each with its command's options.
foreach(page quenta quenta-render quenta-check quenta-wrap quenta-preview quenta-lsp)
  execute_process(COMMAND env LC_ALL=C MANWIDTH=100 man --warnings -l "${root}/usr/share/man/man1/${page}.1"
    RESULT_VARIABLE rc OUTPUT_VARIABLE output ERROR_VARIABLE warnings)
  if(NOT rc EQUAL 0 OR warnings OR NOT output MATCHES "--version")
    message(FATAL_ERROR "${page}(1) does not render cleanly with --version (${rc}):\n${warnings}\n${output}")
  endif()
endforeach()

run("configuring the example hosts against the .deb"
  "${CMAKE_COMMAND}" -S "${EXAMPLES}" -B "${WORK_DIR}/examples" -G "${GENERATOR}"
  "-DCMAKE_PREFIX_PATH=${root}/usr")
run("building the example hosts" "${CMAKE_COMMAND}" --build "${WORK_DIR}/examples")
run("the C++ example host" "${WORK_DIR}/examples/host" -a "${EXAMPLES}/pictures" -f "${FONT}"
  -o "${WORK_DIR}/host.png")
run("the C example host" "${WORK_DIR}/examples/c-host" -f "${FONT}")
if(NOT output MATCHES "c-host: drew [1-9]")
  message(FATAL_ERROR "the C example host drew nothing: ${output}")
endif()
file(SIZE "${deb}" deb_size)
file(SIZE "${tgz}" tgz_size)
message(STATUS "the .deb (${deb_size} bytes) and the .tar.gz (${tgz_size} bytes) hold what they must; "
  "the example hosts built against the .deb and drew")
