# lmx as a console tool: each row runs lmx and matches its exit status and
# the whole of one stream against a pattern.
#   -DRUN=emulator  -DLMX=lmx.exe  -DVERSION=x.y.z  -DWORKDIR=dir
set(usage "usage: lmx [^\n]*")
set(script ${CMAKE_CURRENT_LIST_DIR}/failing.lmx)
set(failures 0)
function(row status stream pattern)
  execute_process(COMMAND ${RUN} ${LMX} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE rc WORKING_DIRECTORY ${WORKDIR})
  if(stream STREQUAL "stdout")
    set(text "${out}")
  else()
    set(text "${err}")
  endif()
  if(NOT rc EQUAL status OR NOT text MATCHES "^${pattern}$")
    message(SEND_ERROR "lmx ${ARGN}: exit ${rc} (want ${status})\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()

row(0 stdout "${usage}\n\n.*-h, --help[^\n]*\n.*" -h)
row(0 stdout "${usage}\n\n.*" --help)
row(0 stdout "lmx ${VERSION}\n" --version)
row(2 stderr "lmx: unknown option --no-such; ${usage}\n" --no-such)
row(2 stderr "lmx: -f needs a script; ${usage}\n" -f)
row(2 stderr "lmx: a script and a call cannot be given together; ${usage}\n" -f ${script} GetDllVersion)
row(2 stderr "lmx: GetDllVersion takes 0 argument\\(s\\) \\(\\), 1 given; ${usage}\n" GetDllVersion 1)
row(2 stderr "lmx: no export named NoSuchExport [^\n]*; ${usage}\n" NoSuchExport)
row(1 stderr "lmx: [^\n]*failing.lmx:3: no export named NoSuchExport [^\n]*\n" -f ${script})
row(1 stdout "> GetDllVersionStr\n[0-9.]+\n" -f ${script})
