# Fails when docs/exports.md is not what the table of exports generates.
execute_process(COMMAND ${GEN} OUTPUT_VARIABLE generated RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_reference failed")
endif()
file(READ ${DOC} committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "docs/exports.md is out of date: run `make docs`")
endif()
