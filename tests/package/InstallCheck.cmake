# Installs the build into a fresh prefix and checks what a host gets there.
# MODE picks the check:
#   tree        everything: the files and their modes, the installed tool
#               drawing the showcase from another folder, and the example
#               host built with find_package(Quenta) and run
#   pkgconfig   everything, then the example host built with nothing but
#               pkg-config's --cflags and --libs, and run
#   components  Runtime alone and Development alone, each without the other
#   module-only a fresh build of the module alone (no siblings, tools,
#               tests nor host library built), installed stripped, whole
#               and by component
cmake_minimum_required(VERSION 3.25)

function(install_into prefix)  # [COMPONENT name]
  file(REMOVE_RECURSE "${prefix}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}" ${ARGN}
    OUTPUT_QUIET RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install ${ARGN} failed: ${err}")
  endif()
endfunction()

function(expect_files prefix present)  # files...
  foreach(file IN LISTS ARGN)
    if(present AND NOT EXISTS "${prefix}/${file}")
      message(FATAL_ERROR "not installed: ${file}")
    elseif(NOT present AND EXISTS "${prefix}/${file}")
      message(FATAL_ERROR "installed, but not part of this component: ${file}")
    endif()
  endforeach()
endfunction()

function(run what)  # command...
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()

set(modules)
foreach(name Quenta Scrivo2 Plotra Vaultrix Pictura)
  list(APPEND modules "${MODULE_DIR}/${name}${MODULE_SUFFIX}")
endforeach()
set(runtime_files "${BINDIR}/quenta-render" ${modules})
set(development_files
  "${INCLUDEDIR}/quenta/Host.h" "${INCLUDEDIR}/quenta/ModuleSet.h" "${INCLUDEDIR}/quenta/BitmapSurface.h"
  "${INCLUDEDIR}/quenta/MessageRenderer.h"
  "${LIBDIR}/libquenta_host.a"
  "${LIBDIR}/cmake/Quenta/QuentaConfig.cmake" "${LIBDIR}/cmake/Quenta/QuentaConfigVersion.cmake"
  "${LIBDIR}/pkgconfig/quenta.pc")
set(prefix "${WORK_DIR}/installed")
# The sanitizers' runtime, when the build has them, goes into the example too.
set(sanitize_flags "${SANITIZE_FLAGS}")
separate_arguments(sanitize_list UNIX_COMMAND "${SANITIZE_FLAGS}")

if(MODE STREQUAL "module-only")
  set(build "${WORK_DIR}/build")
  file(REMOVE_RECURSE "${build}")
  run("configuring a build of the module alone" "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${build}" -G "${GENERATOR}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" -DCMAKE_BUILD_TYPE=Release -DQUENTA_BUILD_SIBLINGS=OFF
    -DQUENTA_BUILD_TOOLS=OFF -DQUENTA_BUILD_TESTS=OFF)
  run("building the module alone" "${CMAKE_COMMAND}" --build "${build}" --target Quenta)
  set(BUILD_DIR "${build}")
  foreach(how "--strip" "--strip;--component;Runtime" "--strip;--component;Development")
    install_into("${prefix}" ${how})
  endforeach()
  install_into("${prefix}" --strip --component Runtime)
  expect_files("${prefix}" TRUE "${MODULE_DIR}/Quenta${MODULE_SUFFIX}")
  expect_files("${prefix}" FALSE "${LIBDIR}/libquenta_host.a")
  message(STATUS "a build of the module alone installs, stripped, whole and by component")
  return()
endif()

if(MODE STREQUAL "components")
  install_into("${prefix}" --component Runtime)
  expect_files("${prefix}" TRUE ${runtime_files})
  expect_files("${prefix}" FALSE ${development_files})
  install_into("${prefix}" --component Development)
  expect_files("${prefix}" TRUE ${development_files})
  expect_files("${prefix}" FALSE ${runtime_files})
  message(STATUS "Runtime and Development install apart")
  return()
endif()

install_into("${prefix}")
expect_files("${prefix}" TRUE ${runtime_files} ${development_files})

if(MODE STREQUAL "tree")
  foreach(file IN LISTS runtime_files)
    run("the mode check of ${file}" test -x "${prefix}/${file}")
  endforeach()
  run("the installed tool"
    "${prefix}/${BINDIR}/quenta-render" -a "${EXAMPLES}/pictures" -o "${WORK_DIR}/showcase.png"
    "${EXAMPLES}/showcase.txt"
    WORKING_DIRECTORY "${prefix}/${INCLUDEDIR}")
  if(NOT EXISTS "${WORK_DIR}/showcase.png")
    message(FATAL_ERROR "the installed tool wrote no picture")
  endif()
  file(REMOVE_RECURSE "${WORK_DIR}/consumer")
  run("configuring the example host against the package"
    "${CMAKE_COMMAND}" -S "${EXAMPLES}" -B "${WORK_DIR}/consumer" -G "${GENERATOR}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_PREFIX_PATH=${prefix}"
    "-DCMAKE_CXX_FLAGS=${sanitize_flags}" "-DCMAKE_EXE_LINKER_FLAGS=${sanitize_flags}")
  run("building the example host" "${CMAKE_COMMAND}" --build "${WORK_DIR}/consumer")
  set(host "${WORK_DIR}/consumer/host")
elseif(MODE STREQUAL "pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "${prefix}/${LIBDIR}/pkgconfig")
  execute_process(COMMAND pkg-config --cflags --libs quenta libpng RESULT_VARIABLE rc
    OUTPUT_VARIABLE flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config knows no quenta: ${err}")
  endif()
  execute_process(COMMAND pkg-config --variable=moduledir quenta
    OUTPUT_VARIABLE module_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(REAL_PATH "${module_dir}" module_dir)
  if(NOT module_dir STREQUAL "${prefix}/${MODULE_DIR}")
    message(FATAL_ERROR "pkg-config's moduledir is ${module_dir}, not ${prefix}/${MODULE_DIR}")
  endif()
  separate_arguments(flag_list UNIX_COMMAND "${flags}")
  set(host "${WORK_DIR}/host")
  run("building the example host with pkg-config's flags (${flags})"
    "${CXX_COMPILER}" -std=c++20 ${sanitize_list} "-DQUENTA_MODULE_DIR=\"${module_dir}\""
    "${EXAMPLES}/host.cpp" -o "${host}" ${flag_list})
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()

# The example host, run from elsewhere, finds the modules where the package
# says they are and draws.
run("the example host" "${host}" -a "${EXAMPLES}/pictures" -o "${WORK_DIR}/host.png" WORKING_DIRECTORY /)
if(NOT EXISTS "${WORK_DIR}/host.png")
  message(FATAL_ERROR "the example host wrote no picture")
endif()
message(STATUS "the installed package built and ran the example host (${MODE})")
