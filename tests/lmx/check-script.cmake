# Runs lmx on a script and compares its output with the expected text.
execute_process(COMMAND ${EMULATOR} ${LMX} -f ${SCRIPT} OUTPUT_VARIABLE out RESULT_VARIABLE rc
                WORKING_DIRECTORY ${WORKDIR})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lmx exited with ${rc}:\n${out}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "lmx output differs from ${EXPECTED}:\n${out}")
endif()
