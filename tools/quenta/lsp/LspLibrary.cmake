# quenta_lsp: the language server behind `quenta lsp`, everything but the
# command line. Included by the tool and by the fuzz targets, which are
# built without the tools.
if(TARGET quenta_lsp)
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../ScriptLibrary.cmake")
set(quenta_lsp_dir "${CMAKE_CURRENT_LIST_DIR}")
add_library(quenta_lsp STATIC
  ${quenta_lsp_dir}/CheckedDocument.cpp
  ${quenta_lsp_dir}/CodeActions.cpp
  ${quenta_lsp_dir}/Completion.cpp
  ${quenta_lsp_dir}/Diagnostics.cpp
  ${quenta_lsp_dir}/DocumentColors.cpp
  ${quenta_lsp_dir}/DocumentSettings.cpp
  ${quenta_lsp_dir}/DocumentSymbols.cpp
  ${quenta_lsp_dir}/Hover.cpp
  ${quenta_lsp_dir}/InlayHints.cpp
  ${quenta_lsp_dir}/LaidMessage.cpp
  ${quenta_lsp_dir}/LanguageServer.cpp
  ${quenta_lsp_dir}/MessageFraming.cpp
  ${quenta_lsp_dir}/TagHelp.cpp
  ${quenta_lsp_dir}/TextPositions.cpp)
target_include_directories(quenta_lsp PUBLIC "${quenta_lsp_dir}")
target_link_libraries(quenta_lsp PUBLIC quenta_scripts nlohmann_json::nlohmann_json PRIVATE quenta_warnings)
