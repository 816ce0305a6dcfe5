# Reads a DLL's tables with objdump -p and fails unless they are what a
# Windows host expects of a module:
#   TABLE=exports: CreateInterface alone, by name, undecorated;
#   TABLE=imports: system DLLs only (Windows' own, which every
#                  installation has), so that no compiler runtime, nor any
#                  library the modules are built on, must ship.
# MODULE is the DLL, FORMAT its expected objdump format, OBJDUMP the tool.
execute_process(COMMAND "${OBJDUMP}" -p "${MODULE}" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed on ${MODULE}")
endif()
if(NOT out MATCHES "file format ${FORMAT}")
  message(FATAL_ERROR "${MODULE} is not ${FORMAT}")
endif()

if(TABLE STREQUAL "exports")
  # Every entry of the address table must have a name: no ordinal-only ones.
  string(REGEX MATCH "Export Address Table[ \t]+([0-9a-fA-F]+)" _ "${out}")
  set(addresses "${CMAKE_MATCH_1}")
  string(REGEX MATCH "\\[Name Pointer/Ordinal\\] Table[ \t]+([0-9a-fA-F]+)" _ "${out}")
  set(namePointers "${CMAKE_MATCH_1}")
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)" _ "${out}")
  # Brackets in list items would stop CMake splitting the list: drop them first.
  string(REGEX REPLACE "[ \t]*\\[[ 0-9]+\\] " "" names "${CMAKE_MATCH_1}")
  string(REGEX MATCHALL "[^\n]+" entries "${names}")
  if(NOT addresses STREQUAL "00000001" OR NOT namePointers STREQUAL "00000001"
     OR NOT entries STREQUAL "CreateInterface")
    message(FATAL_ERROR "${MODULE} exports ${addresses} entries, ${namePointers} by name: "
                        "'${entries}'; expected CreateInterface alone")
  endif()
  message(STATUS "${MODULE} exports CreateInterface alone")
elseif(TABLE STREQUAL "imports")
  string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${out}")
  set(dlls "")
  foreach(line IN LISTS lines)
    string(SUBSTRING "${line}" 10 -1 dll)
    list(APPEND dlls "${dll}")
  endforeach()
  if(NOT dlls)
    message(FATAL_ERROR "${MODULE}: no import table found")
  endif()
  set(foreign "")
  foreach(dll IN LISTS dlls)
    string(TOLOWER "${dll}" name)
    if(NOT name MATCHES "^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|windowscodecs|msvcrt)\\.dll$" AND NOT name MATCHES "^api-ms-win-crt-[a-z0-9-]+\\.dll$")
      list(APPEND foreign "${dll}")
    endif()
  endforeach()
  if(foreign)
    message(FATAL_ERROR "${MODULE} imports DLLs that are not the system's: ${foreign} (all: ${dlls})")
  endif()
  message(STATUS "${MODULE} imports system DLLs only: ${dlls}")
else()
  message(FATAL_ERROR "TABLE must be exports or imports, not '${TABLE}'")
endif()
