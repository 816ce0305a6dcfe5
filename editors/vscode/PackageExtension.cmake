# cmake -DSTAGE=dir -DNPM=npm -DVERSION=x.y.z -P PackageExtension.cmake
# Packages the installed extension in STAGE with vsce (npm run package) and
# checks what the .vsix holds: the manifest, every grammar package.json names,
# the extension and the language client it loads, and none of the tests or
# the packages only the tests and packaging use.
cmake_minimum_required(VERSION 3.25)
set(vsix "${STAGE}/quenta.vsix")
file(REMOVE "${vsix}")
execute_process(COMMAND "${NPM}" run package WORKING_DIRECTORY "${STAGE}" INPUT_FILE /dev/null
  RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS "${vsix}")
  message(FATAL_ERROR "vsce could not package the extension: ${result}")
endif()


# A .vsix is a zip file, which CMake's archive reader lists.
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${vsix}" OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot list ${vsix}: ${result}")
endif()
string(REPLACE "\n" ";" entries "${listing}")

file(READ "${STAGE}/package.json" manifest)
# The extension carries the project's version, set once in project().
string(JSON version GET "${manifest}" version)
if(NOT version STREQUAL VERSION)
  message(FATAL_ERROR "editors/vscode/package.json has version ${version}, the project ${VERSION}")
endif()
string(JSON grammar_count LENGTH "${manifest}" contributes grammars)
set(wanted extension.vsixmanifest extension/package.json extension/src/extension.js
  extension/language-configuration.json extension/node_modules/vscode-languageclient/package.json)
math(EXPR last "${grammar_count} - 1")
foreach(i RANGE ${last})
  string(JSON grammar GET "${manifest}" contributes grammars ${i} path)
  string(REGEX REPLACE "^\\./" "" grammar "${grammar}")
  list(APPEND wanted "extension/${grammar}")
endforeach()
foreach(entry IN LISTS wanted)
  if(NOT entry IN_LIST entries)
    message(FATAL_ERROR "${vsix} lacks ${entry}")
  endif()
endforeach()
foreach(entry IN LISTS entries)
  if(entry MATCHES "^extension/(test/|syntaxes/build\\.js|node_modules/(vscode-textmate|vscode-oniguruma|tm-grammars|@vscode/vsce)/)")
    message(FATAL_ERROR "${vsix} holds ${entry}, which only the tests or the packaging use")
  endif()
endforeach()
list(LENGTH wanted count)
message(STATUS "${vsix}: the manifest, ${grammar_count} grammars and the language client (${count} entries checked)")
