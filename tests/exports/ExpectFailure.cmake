# Runs the command given after "--" and passes only when the command fails
# and its output holds each of the EXPECTED messages: a check that must
# refuse what it is given, for the reason it is given.
# Run as: cmake -DEXPECTED=<message>|<message>... -P ExpectFailure.cmake
#               -- <command> <argument>...
if(NOT DEFINED EXPECTED OR EXPECTED STREQUAL "")
  message(FATAL_ERROR "EXPECTED is not set")
endif()

set(command "")
set(after_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${index}}")
  elseif(CMAKE_ARGV${index} STREQUAL "--")
    set(after_separator TRUE)
  endif()
endforeach()
if(command STREQUAL "")
  message(FATAL_ERROR "no command after --")
endif()

execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0)
  message(FATAL_ERROR "the command succeeded; it should have failed")
endif()
# CMake wraps the lines of its error messages wherever they grow long.
string(REGEX REPLACE "[ \t\n]+" " " output "${output}")
string(REPLACE "|" ";" expected "${EXPECTED}")
foreach(message IN LISTS expected)
  string(FIND "${output}" "${message}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the command failed, but did not say: ${message}")
  endif()
endforeach()
