# Runs the SDL example under a virtual X server, pressing three keys by
# itself, then checks the four frames it wrote.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${XVFB_RUN}" -a -s "-screen 0 800x600x24"
    "${PROGRAM}" -f "${FONT}" --steps 3 --dump "${WORK_DIR}/frame"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "showed 3 messages")
  message(FATAL_ERROR "the SDL example failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${CHECK}" "${WORK_DIR}/frame" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the SDL example's frames are wrong:\n${out}\n${err}")
endif()
message(STATUS "${out}")
