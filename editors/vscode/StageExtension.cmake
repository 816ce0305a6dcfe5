# cmake -DSOURCE=editors/vscode -DSTAGE=dir -DNPM=npm -P StageExtension.cmake
# Copies the extension (without any node_modules or .vsix of the source tree)
# into STAGE and installs the packages its lock file pins there. Install
# scripts are not run: nothing the tests or vsce use builds native code, and
# the optional keychain module vsce names is only for publishing.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${STAGE}")
file(COPY "${SOURCE}/" DESTINATION "${STAGE}"
  PATTERN node_modules EXCLUDE
  PATTERN "*.vsix" EXCLUDE
  PATTERN CMakeLists.txt EXCLUDE
  PATTERN "*.cmake" EXCLUDE)
execute_process(COMMAND "${NPM}" ci --ignore-scripts --no-audit --no-fund --prefer-offline
  WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "npm ci failed in ${STAGE}: ${result}")
endif()
