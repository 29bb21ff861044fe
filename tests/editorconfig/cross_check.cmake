# Writes an .editorconfig tree, asks Debian's editorconfig tool for the
# properties of every file in it, and has the Wine test compare lorimax.dll's
# answers (narrow and wide) with those, in order.
#   -DTOOL=editorconfig -DRUN=wine-run -DEXE=test_editorconfig.exe -DTREE=folder
file(REMOVE_RECURSE ${TREE})

function(config folder)
  string(REPLACE ";" "\n" text "${ARGN}")
  file(WRITE ${TREE}/${folder}/.editorconfig "${text}\n")
endfunction()

config(. "root = true" "[*]" "charset = utf-8" "end_of_line = lf" "insert_final_newline = true"
  "[*.{c,h}]" "indent_style = space" "indent_size = 4"
  "[*.py]" "indent_style = tab"
  "[Makefile]" "indent_style = tab" "tab_width = 8"
  "[*.[ch]pp]" "indent_size = 2"
  "[file{1..12}.txt]" "x_numbered = yes"
  "[{docs,notes}/**.md]" "x_prose = true"
  "[*.{json,yml,yaml}]" "indent_size = 2" "trim_trailing_whitespace = false"
  "[*.[!a-m]s]" "x_late_letter = 1"
  "[**/vendor/**]" "x_vendor = 日本語の値"
  "[*.TXT]" "x_upper = Mixed Case Value")
config(src "[*.c]" "indent_size = 8" "tab_width = 4" "[lib/**]" "x_lib = yes")
config(src/lib/inner "root = true" "[*]" "indent_style = tab" "indent_size = tab")
config(日本語 "[*]" "x_folder = 日本語フォルダ" "[*.md]" "indent_size = 3")
config(docs "[*.md]" "max_line_length = 80" "INDENT_STYLE = SPACE")

set(files a.c a.h b.cpp b.hpp c.cc main.py Makefile makefile README.TXT readme.txt
  file1.txt file12.txt file13.txt file0.txt config.json ci.yml x.yaml x.ts x.js no_ext .hidden
  docs/guide.md docs/deep/more.md notes/todo.md other/todo.md
  src/a.c src/b.h src/lib/l.c src/lib/inner/i.c src/lib/inner/i.py vendor/v.c src/vendor/w.txt
  日本語/メモ.md 日本語/データ.txt 日本語/サブ/深い.c deep/a/b/c/d.py)

execute_process(COMMAND ${TOOL} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} --version failed")
endif()
set(expected "#version ${version}\n")
foreach(f IN LISTS files)
  file(WRITE ${TREE}/${f} "")
  execute_process(COMMAND ${TOOL} ${TREE}/${f} OUTPUT_VARIABLE lines RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${TREE}/${f} failed")
  endif()
  string(APPEND expected "> ${TREE}/${f}\n${lines}")
endforeach()
file(WRITE ${TREE}/expected.txt "${expected}")

# The tree as Wine sees it: the whole Unix file system is drive Z:.
string(REPLACE "/" "\\" windows_expected "Z:${TREE}/expected.txt")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LMX_EDITORCONFIG_EXPECTED=${windows_expected}
                        ${RUN} ${EXE} --gtest_filter=CrossCheck.*
                OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
message("${out}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "cross-check: [0-9]+ of [0-9]+")
  message(FATAL_ERROR "the Wine test disagrees with ${TOOL}, or did not compare")
endif()
