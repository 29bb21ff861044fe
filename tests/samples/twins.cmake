# Each sample macro's twin lmx script calls the same exports in the same order
# (lmx check holds the macros themselves to the table).
#   cmake -DSAMPLES="a.mac;b.mac" -P twins.cmake
foreach(mac IN LISTS SAMPLES)
  string(REGEX REPLACE "\\.mac$" ".lmx" twin "${mac}")
  file(READ "${mac}" text)
  string(REGEX MATCHALL "dllfunc[a-z]*\\([^,\"]*, *\"[A-Za-z0-9_]+\"" calls "${text}")
  set(macro_names "")
  foreach(call IN LISTS calls)
    string(REGEX REPLACE ".*\"([A-Za-z0-9_]+)\"$" "\\1" name "${call}")
    list(APPEND macro_names ${name})
  endforeach()
  file(STRINGS "${twin}" lines ENCODING UTF-8)
  set(twin_names "")
  foreach(line IN LISTS lines)
    # A call line's first word that is not an option (--raw, --hex, --keep).
    if(NOT line MATCHES "^[ \t]*#" AND line MATCHES "^[ \t]*(--[a-z]+[ \t]+)*([A-Za-z0-9_]+)")
      list(APPEND twin_names ${CMAKE_MATCH_2})
    endif()
  endforeach()
  if(NOT macro_names STREQUAL twin_names)
    message(SEND_ERROR "${twin} calls ${twin_names}\n${mac} calls ${macro_names}")
  endif()
endforeach()
