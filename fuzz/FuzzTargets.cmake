# The fuzz targets, built with libFuzzer's driver by fuzz/ (the fuzz preset)
# and with the replay driver by tests/hostile/, which runs the saved inputs
# in every build.
set(QUENTA_FUZZ_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(QUENTA_FUZZ_TARGETS render picture archive script_text script_csv script_po wrap script_xliff pairs lsp)
include("${CMAKE_CURRENT_LIST_DIR}/../tools/quenta/ScriptLibrary.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/../tools/quenta/lsp/LspLibrary.cmake")

# Adds one executable per target, named <prefix><target>, linked with the
# extra SOURCES and LINK_OPTIONS that make up its driver.
function(quenta_add_fuzz_targets prefix)
  cmake_parse_arguments(arg "" "" "SOURCES;LINK_OPTIONS" ${ARGN})
  if(NOT TARGET quenta_fuzz_harness)
    add_library(quenta_fuzz_harness STATIC
      "${QUENTA_FUZZ_DIR}/harness/DrawTargets.cpp"
      "${QUENTA_FUZZ_DIR}/harness/HostModules.cpp"
      "${QUENTA_FUZZ_DIR}/harness/MessageSteps.cpp")
    target_include_directories(quenta_fuzz_harness PUBLIC "${QUENTA_FUZZ_DIR}/harness")
    target_link_libraries(quenta_fuzz_harness PUBLIC quenta_host PRIVATE quenta_warnings)
  endif()

  set(render_sources RenderFuzzer.cpp)
  set(render_libraries quenta_fuzz_harness)
  set(picture_sources PictureFuzzer.cpp)
  set(picture_libraries quenta_fuzz_harness quenta_pictura plotra_core)
  set(archive_sources ArchiveFuzzer.cpp)
  set(archive_libraries quenta_fuzz_harness quenta_vaultrix quenta_pictura)
  # The three script readers, each with the checks behind it, and the wrapper.
  foreach(form text csv po)
    set(script_${form}_sources ScriptReaderFuzzer.cpp)
    set(script_${form}_libraries quenta_fuzz_harness quenta_scripts)
  endforeach()
  set(wrap_sources WrapFuzzer.cpp)
  set(wrap_libraries quenta_fuzz_harness quenta_scripts)
  # The XLIFF reader with the checks and the wrapper behind it, and the
  # comparison of translations with their sources.
  set(script_xliff_sources XliffFuzzer.cpp)
  set(script_xliff_libraries quenta_fuzz_harness quenta_scripts)
  set(pairs_sources PairFuzzer.cpp)
  set(pairs_libraries quenta_fuzz_harness quenta_scripts)
  # The language server: framed messages, and a document with edits.
  set(lsp_sources LspFuzzer.cpp)
  set(lsp_libraries quenta_fuzz_harness quenta_lsp)

  foreach(target IN LISTS QUENTA_FUZZ_TARGETS)
    set(name ${prefix}${target})
    list(TRANSFORM ${target}_sources PREPEND "${QUENTA_FUZZ_DIR}/")
    add_executable(${name} ${${target}_sources} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${${target}_libraries} quenta_warnings)
    target_link_options(${name} PRIVATE ${arg_LINK_OPTIONS})
  endforeach()

  foreach(form text csv po)
    target_compile_definitions(${prefix}script_${form} PRIVATE QUENTA_FUZZ_SCRIPT_FORM="${form}")
  endforeach()

  # The render target loads the modules the way a host does, from the
  # build's module folder, with archive 0 on the pictures beside this file.
  target_compile_definitions(${prefix}render PRIVATE
    QUENTA_FUZZ_MODULE_DIR="${QUENTA_MODULE_OUTPUT_DIR}"
    QUENTA_FUZZ_ARCHIVE="${QUENTA_FUZZ_DIR}/archive")
  add_dependencies(${prefix}render Quenta Scrivo2 Plotra Vaultrix Pictura)
endfunction()
