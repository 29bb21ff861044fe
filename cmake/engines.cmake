# The engines that scripts/engines/build.sh builds into a per-machine cache
# outside the clone. `make` passes each prefix as LORIMAX_<ENGINE>_DIR; left
# empty, the script is asked where it keeps it. Each engine becomes an
# imported target lorimax::<engine>: pcre2 and editorconfig are static
# libraries linked into the DLL, hunspell, mecab and nkf are DLLs
# ($<TARGET_FILE:lorimax::hunspell> is the DLL, linking uses its import library).
set(LORIMAX_ENGINE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../scripts/engines/build.sh)

function(lorimax_engine_dir engine var)
  set(${var} "" CACHE PATH "install prefix of the ${engine} engine (scripts/engines/build.sh)")
  if(NOT ${var})
    execute_process(COMMAND ${LORIMAX_ENGINE_SCRIPT} --dir ${engine}
                    OUTPUT_VARIABLE dir OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${var} ${dir} CACHE PATH "install prefix of the ${engine} engine (scripts/engines/build.sh)" FORCE)
  endif()
  if(NOT EXISTS ${${var}}/.recipe)
    message(FATAL_ERROR "The ${engine} engine is not built in ${${var}}: run scripts/engines/build.sh (make does).")
  endif()
endfunction()

function(lorimax_engine engine kind file)
  string(TOUPPER ${engine} upper)
  lorimax_engine_dir(${engine} LORIMAX_${upper}_DIR)
  set(dir ${LORIMAX_${upper}_DIR})
  add_library(lorimax::${engine} ${kind} IMPORTED GLOBAL)
  set_target_properties(lorimax::${engine} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${dir}/include)
  if(kind STREQUAL "SHARED")
    set_target_properties(lorimax::${engine} PROPERTIES
      IMPORTED_LOCATION ${dir}/bin/${file} IMPORTED_IMPLIB ${dir}/lib/${ARGN})
  else()
    set_target_properties(lorimax::${engine} PROPERTIES IMPORTED_LOCATION ${dir}/lib/${file})
  endif()
endfunction()

lorimax_engine(pcre2 STATIC libpcre2-8.a)
set_target_properties(lorimax::pcre2 PROPERTIES
  INTERFACE_COMPILE_DEFINITIONS "PCRE2_STATIC;PCRE2_CODE_UNIT_WIDTH=8")
lorimax_engine(editorconfig STATIC libeditorconfig_static.a)
set_target_properties(lorimax::editorconfig PROPERTIES INTERFACE_LINK_LIBRARIES "lorimax::pcre2;shlwapi")
lorimax_engine(hunspell SHARED libhunspell-1.7-0.dll libhunspell-1.7.dll.a)
lorimax_engine(mecab SHARED libmecab-2.dll libmecab.dll.a)
lorimax_engine(nkf SHARED NKF32.DLL libnkf32.dll.a)
# Hunspell and MeCab again as their recipes build them without the mends, as a
# user's own install has them, for the tests.
lorimax_engine(hunspell_stock SHARED libhunspell-1.7-0.dll libhunspell-1.7.dll.a)
lorimax_engine(mecab_stock SHARED libmecab-2.dll libmecab.dll.a)
