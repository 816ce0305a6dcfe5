# quenta_scripts: reading scripts, checking and wrapping their messages, and
# the reports; everything of `quenta check` and `quenta wrap` but the
# command line. Included by the tool and by the fuzz targets, which are
# built without the tools.
if(TARGET quenta_scripts)
  return()
endif()
find_package(nlohmann_json CONFIG REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n)
find_library(CSV_LIBRARY csv REQUIRED)
find_library(GETTEXTPO_LIBRARY gettextpo REQUIRED)
find_package(tomlplusplus CONFIG REQUIRED)

set(quenta_scripts_dir "${CMAKE_CURRENT_LIST_DIR}")
if(NOT TARGET quenta_text)
  add_subdirectory("${quenta_scripts_dir}/../text" "${CMAKE_BINARY_DIR}/tools/text")
endif()
find_path(XXHASH_INCLUDE_DIR xxhash.h REQUIRED)
find_library(XXHASH_LIBRARY xxhash REQUIRED)
add_library(quenta_scripts STATIC
  ${quenta_scripts_dir}/AcceptFlags.cpp
  ${quenta_scripts_dir}/CheckCatalogue.cpp
  ${quenta_scripts_dir}/DelimitedScriptReader.cpp
  ${quenta_scripts_dir}/FileReplacement.cpp
  ${quenta_scripts_dir}/FindingReport.cpp
  ${quenta_scripts_dir}/LineWrapper.cpp
  ${quenta_scripts_dir}/MessageChecks.cpp
  ${quenta_scripts_dir}/MessageEncoder.cpp
  ${quenta_scripts_dir}/MessageLayout.cpp
  ${quenta_scripts_dir}/MessagePass.cpp
  ${quenta_scripts_dir}/PlainScriptReader.cpp
  ${quenta_scripts_dir}/PoScriptReader.cpp
  ${quenta_scripts_dir}/ProjectSettings.cpp
  ${quenta_scripts_dir}/ScriptChecker.cpp
  ${quenta_scripts_dir}/ScriptFile.cpp
  ${quenta_scripts_dir}/ScriptReader.cpp
  ${quenta_scripts_dir}/ScriptWrapper.cpp
  ${quenta_scripts_dir}/SourcePlaces.cpp
  ${quenta_scripts_dir}/StyleInForce.cpp
  ${quenta_scripts_dir}/WholeMessageReader.cpp)
target_include_directories(quenta_scripts PUBLIC "${quenta_scripts_dir}" "${PROJECT_SOURCE_DIR}/include" PRIVATE "${XXHASH_INCLUDE_DIR}")
target_link_libraries(quenta_scripts
  PUBLIC quenta_markup
  PRIVATE quenta_text
  PRIVATE nlohmann_json::nlohmann_json ICU::uc ICU::i18n tomlplusplus::tomlplusplus ${XXHASH_LIBRARY} ${CSV_LIBRARY} ${GETTEXTPO_LIBRARY} quenta_warnings)
