# Runs a program and fails when what it prints differs from a committed file.
#   -DRUN=program  -DARGS="arg1|arg2"  -DEXPECTED=file  [-DWORKDIR=dir]  [-DHINT=text]
string(REPLACE "|" ";" args "${ARGS}")
if(NOT WORKDIR)
  set(WORKDIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
execute_process(COMMAND ${RUN} ${args} OUTPUT_VARIABLE out RESULT_VARIABLE rc WORKING_DIRECTORY ${WORKDIR})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${RUN} exited with ${rc}:\n${out}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}${HINT}:\n${out}")
endif()
