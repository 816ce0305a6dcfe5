# The README's host example is quoted from examples/host.cpp: its C++ block,
# indentation aside, must stand in the file as one piece, so that the two
# cannot drift apart.
cmake_minimum_required(VERSION 3.25)
file(READ "${README}" readme)
string(FIND "${readme}" "## Loading Quenta in a host" section)
string(SUBSTRING "${readme}" ${section} -1 readme)
string(FIND "${readme}" "```cpp\n" open)
if(open EQUAL -1)
  message(FATAL_ERROR "the README's host section has no C++ block")
endif()
math(EXPR open "${open} + 7")
string(SUBSTRING "${readme}" ${open} -1 readme)
string(FIND "${readme}" "```" close)
string(SUBSTRING "${readme}" 0 ${close} quoted)
file(READ "${EXAMPLE}" example)

# Code lines hold semicolons, so the texts stay strings, never lists.
string(REGEX REPLACE "\n[ ]+" "\n" quoted "\n${quoted}")
string(REGEX REPLACE "\n[ ]+" "\n" example "\n${example}")
string(FIND "${example}" "${quoted}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the README's host example differs from examples/host.cpp; quote the file again")
endif()
message(STATUS "the README's host example is examples/host.cpp's")
