# quenta_browser_test(NAME name SCRIPT file [TIMEOUT seconds]): a Python test
# that drives headless Chromium through Debian's Selenium against the real
# `quenta` program. Registered only where Chromium's driver and Debian's
# python3-selenium and python3-pil are installed (scripts/install-deps.sh
# test installs them), and not under the sanitizers, which slow everything
# and keep freed memory on purpose.
find_program(QUENTA_CHROMEDRIVER chromedriver)
execute_process(COMMAND /usr/bin/python3 -c "import selenium, PIL" RESULT_VARIABLE quenta_selenium_missing
  OUTPUT_QUIET ERROR_QUIET)
if(QUENTA_SANITIZE OR NOT QUENTA_CHROMEDRIVER OR quenta_selenium_missing)
  set(QUENTA_BROWSER_TESTS OFF)
  if(NOT QUENTA_SANITIZE)
    message(STATUS "the browser tests need chromium-driver and python3-selenium: not run")
  endif()
else()
  set(QUENTA_BROWSER_TESTS ON)
endif()

function(quenta_browser_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;SCRIPT;TIMEOUT" "")
  if(NOT QUENTA_BROWSER_TESTS)
    return()
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  get_filename_component(folder "${arg_SCRIPT}" DIRECTORY)
  # Debian's python3, where python3-selenium and python3-pil live.
  add_test(NAME ${arg_NAME} COMMAND /usr/bin/python3 "${arg_SCRIPT}" WORKING_DIRECTORY "${folder}")
  set_tests_properties(${arg_NAME} PROPERTIES
    ENVIRONMENT "QUENTA_TOOL=$<TARGET_FILE:quenta>;QUENTA_SOURCE_DIR=${PROJECT_SOURCE_DIR};PYTHONDONTWRITEBYTECODE=1"
    RUN_SERIAL TRUE TIMEOUT ${arg_TIMEOUT})
endfunction()
