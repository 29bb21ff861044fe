# The Windows build: lorimax.dll, the command-line host lmx.exe and the test
# executables, all linked statically against the C++ runtime so that they
# import system DLLs only.
enable_language(RC)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_link_options(-static)
include(${CMAKE_CURRENT_LIST_DIR}/engines.cmake)

file(GLOB_RECURSE LORIMAX_WINDOWS_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*_win.cpp)
configure_file(src/frame/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)
list(APPEND LORIMAX_WINDOWS_SOURCES ${CMAKE_BINARY_DIR}/version.rc)
file(GLOB LORIMAX_EXPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/exports/*.cpp)

add_library(lorimax SHARED ${LORIMAX_EXPORT_SOURCES} ${LORIMAX_WINDOWS_SOURCES})
# The host calls from one thread at a time, so a function's statics need no
# guard; the runtime's guards would each take a lock that outlives an unload.
target_compile_options(lorimax_core PRIVATE -fno-threadsafe-statics)
target_compile_options(lorimax PRIVATE -fno-threadsafe-statics)
target_link_libraries(lorimax PRIVATE lorimax_core lorimax::editorconfig version shlwapi shell32 ole32 wininet dwmapi)
target_compile_definitions(lorimax PRIVATE LORIMAX_BUILDING_DLL)
set_target_properties(lorimax PROPERTIES PREFIX "" OUTPUT_NAME lorimax)

add_executable(lmx tools/lmx/lmx.cpp tools/lmx/args.cpp tools/lmx/check.cpp tools/lmx/io_win.cpp tools/lmx/text.cpp)
target_include_directories(lmx PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
target_link_options(lmx PRIVATE -municode)
target_compile_definitions(lmx PRIVATE LORIMAX_VERSION="${PROJECT_VERSION}")
add_dependencies(lmx lorimax)

# GoogleTest, cross-compiled from Debian's sources.
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_SHARED_LIBS OFF)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its one use of std::mutex, which the win32 thread model lacks, replaced.
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC "SHELL:-include ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/gtest_notification.h")

# What every test executable shares: the host stand-ins it exports, the
# helpers for Shift_JIS literals and the file fixtures.
add_library(lorimax_test_support OBJECT tests/support/host_standin.cpp tests/support/text.cpp tests/support/files.cpp
  tests/support/heap_check.cpp)
target_include_directories(lorimax_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR}/tests/support)
target_link_libraries(lorimax_test_support PUBLIC gtest gmock lorimax_test_rules)

# Wine checks the heaps of every Windows program that the tests run: GlobalFlag
# 0x70 (tail, free and parameter checks) under the prefix's Image File
# Execution Options for its file name. lorimax_wine_test registers its
# executable, lorimax_heap_checked any other program; when the directory is
# done one registry file lists them all, which the setup entry
# wine_heap_checks imports before any test that needs Wine, at every run.
# lorimax_heap_plain takes a program off the list, and the registry file then
# deletes its key, so that a prefix made by an earlier build forgets it too.
function(lorimax_heap_checked)
  set_property(GLOBAL APPEND PROPERTY LORIMAX_HEAP_CHECKED ${ARGN})
endfunction()
function(lorimax_heap_plain)
  set_property(GLOBAL APPEND PROPERTY LORIMAX_HEAP_PLAIN ${ARGN})
endfunction()
function(lorimax_write_heap_checks)
  get_property(programs GLOBAL PROPERTY LORIMAX_HEAP_CHECKED)
  get_property(plain GLOBAL PROPERTY LORIMAX_HEAP_PLAIN)
  if(plain)
    list(REMOVE_ITEM programs ${plain})
  endif()
  set(options "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options")
  set(keys "REGEDIT4\n")
  foreach(program IN LISTS programs)
    string(APPEND keys "\n[${options}\\$<TARGET_FILE_NAME:${program}>]\n\"GlobalFlag\"=dword:00000070\n")
  endforeach()
  foreach(program IN LISTS plain)
    string(APPEND keys "\n[-${options}\\$<TARGET_FILE_NAME:${program}>]\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/bin/heap-checks.reg CONTENT "${keys}")
  get_property(tests DIRECTORY PROPERTY TESTS)
  list(REMOVE_ITEM tests wine_heap_checks)
  set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED wine_heap_checks)
endfunction()
cmake_language(DEFER CALL lorimax_write_heap_checks)
add_test(NAME wine_heap_checks COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg import heap-checks.reg)
set_tests_properties(wine_heap_checks PROPERTIES FIXTURES_SETUP wine_heap_checks WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# One executable per family, run whole once by ctest through Wine, its heaps
# checked, its code held to warnings as errors (through lorimax_test_support),
# linked with the system libraries that give the expected values.
set(LORIMAX_WINE_TEST_TIMEOUT 120)
# A C-runtime parameter check ends the process on Windows; Wine's msvcrt logs
# it on its err channel and goes on, so every test fails on that line, in the
# program or in any engine or child it runs.
function(lorimax_fail_on_parameter_checks test)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT LORIMAX_WINEDEBUG=-all,err+msvcrt)
  set_property(TEST ${test} PROPERTY FAIL_REGULAR_EXPRESSION "err:msvcrt:_invalid_parameter")
endfunction()
function(lorimax_wine_test name)
  add_executable(${name} ${ARGN} $<TARGET_OBJECTS:lorimax_test_support>)
  target_link_libraries(${name} PRIVATE lorimax lorimax_test_support gtest_main shlwapi shell32 ole32 wininet)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin TIMEOUT ${LORIMAX_WINE_TEST_TIMEOUT})
  lorimax_fail_on_parameter_checks(${name})
  lorimax_heap_checked(${name})
endfunction()
lorimax_heap_checked(lmx)
# The tests' stand-in DLLs are C++, built with the engines' mend
# (scripts/engines/unload_runtime.cpp), so that loading and freeing one leaves
# the process as it found it and hides no leak of lorimax's behind its own.
function(lorimax_unloads_flat target)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/scripts/engines/unload_runtime.cpp)
  target_compile_options(${target} PRIVATE -fno-threadsafe-statics)
endfunction()

lorimax_wine_test(test_frame tests/frame/frame_test.cpp)
target_compile_definitions(test_frame PRIVATE LORIMAX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  LORIMAX_VERSION_MINOR=${PROJECT_VERSION_MINOR} LORIMAX_VERSION_PATCH=${PROJECT_VERSION_PATCH})

# Macro runs: lorimax.dll loaded, used across the families and freed, as the
# editor does, hundreds of times in one process (1,000 in `make leaks`). The
# test loads the library itself, so it does not link it; nor does the child
# that ends its process with the library in use.
set(LORIMAX_MACRO_RUN tests/frame/macro_run.cpp tests/support/files.cpp tests/support/text.cpp)
add_executable(test_unload tests/frame/unload_test.cpp ${LORIMAX_MACRO_RUN} tests/support/host_standin.cpp)
target_link_libraries(test_unload PRIVATE gtest_main lorimax_test_rules)
target_include_directories(test_unload PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
add_executable(unload_child tests/frame/unload_child.cpp ${LORIMAX_MACRO_RUN})
target_link_libraries(unload_child PRIVATE lorimax_test_rules)
target_include_directories(unload_child PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
add_dependencies(test_unload lorimax unload_child process_child bridge_engines hmjre_standin test_nkf_bridge)
add_test(NAME test_unload COMMAND test_unload)
set_tests_properties(test_unload PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin TIMEOUT 600)
lorimax_fail_on_parameter_checks(test_unload)

file(GLOB LORIMAX_STRING_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/strings/*.cpp)
lorimax_wine_test(test_strings ${LORIMAX_STRING_TESTS})

# lmx runs the demo script and prints what the table's kinds say it should.
add_test(NAME lmx_demo
  COMMAND ${CMAKE_COMMAND} -DRUN=${CMAKE_CROSSCOMPILING_EMULATOR}
          "-DARGS=$<TARGET_FILE:lmx>|-f|${CMAKE_CURRENT_SOURCE_DIR}/demo/demo.lmx"
          -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/tests/lmx/demo.expected
          -DWORKDIR=${CMAKE_BINARY_DIR}/bin -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-output.cmake)

# lmx as a macro author meets it, every case run twice: on a pseudo-terminal,
# where Wine's console host gives lmx a console, and redirected to pipes
# (tests/lmx/cases.txt; the planted faults of lmx check are among them).
add_test(NAME lmx_console_and_redirected
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tests/lmx/run_cases.py
          ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-env.sh $<TARGET_FILE:lmx> ${CMAKE_CURRENT_SOURCE_DIR}
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/lmx/cases.txt)

# The sample macros: lmx check finds nothing in them, each twin lmx script
# calls the same exports in the same order and prints what its expected file
# holds.
file(GLOB LORIMAX_SAMPLES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/samples/*.mac)
add_test(NAME samples_pass_lmx_check COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:lmx> check ${LORIMAX_SAMPLES})
add_test(NAME samples_twins_call_the_same
  COMMAND ${CMAKE_COMMAND} "-DSAMPLES=${LORIMAX_SAMPLES}" -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/samples/twins.cmake)
# Some twins need what the editor's machine has: the windows and desktop ones
# run under a stand-in of the editor's window (one at a time, as both make
# one); the regex one beside the HMJRE.DLL stand-in, in a folder of its own
# (beside the bridge's tests HMJRE.DLL must not be found); the editorconfig one
# after its .editorconfig is laid down.
add_executable(sample_window tests/samples/sample_window.cpp)
target_link_libraries(sample_window PRIVATE lorimax_test_rules)
set(sample_run_windows "$<TARGET_FILE:sample_window>|")
set(sample_run_desktop "$<TARGET_FILE:sample_window>|")
set(sample_dir_regex ${CMAKE_BINARY_DIR}/bin/sample-regex)
add_custom_target(sample_regex_folder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${sample_dir_regex}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lmx> $<TARGET_FILE:lorimax> ${sample_dir_regex}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:hmjre_standin> ${sample_dir_regex}/HMJRE.DLL
  VERBATIM)
add_dependencies(sample_regex_folder lmx hmjre_standin)
foreach(sample IN LISTS LORIMAX_SAMPLES)
  get_filename_component(name ${sample} NAME_WE)
  set(dir ${CMAKE_BINARY_DIR}/bin)
  if(DEFINED sample_dir_${name})
    set(dir ${sample_dir_${name}})
  endif()
  add_test(NAME sample_${name}
    COMMAND ${CMAKE_COMMAND} -DRUN=${CMAKE_CROSSCOMPILING_EMULATOR}
            "-DARGS=${sample_run_${name}}${dir}/$<TARGET_FILE_NAME:lmx>|-f|${CMAKE_CURRENT_SOURCE_DIR}/samples/${name}.lmx"
            -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/tests/samples/${name}.expected
            -DWORKDIR=${dir} -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-output.cmake)
endforeach()
set_tests_properties(sample_windows sample_desktop PROPERTIES RESOURCE_LOCK sample_window)
add_test(NAME sample_editorconfig_tree COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/samples/editorconfig_tree.sh)
set_tests_properties(sample_editorconfig_tree PROPERTIES FIXTURES_SETUP sample_editorconfig_tree)
set_tests_properties(sample_editorconfig PROPERTIES FIXTURES_REQUIRED sample_editorconfig_tree)

file(GLOB LORIMAX_FORMAT_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/format/*.cpp)
lorimax_wine_test(test_format ${LORIMAX_FORMAT_TESTS})

file(GLOB LORIMAX_INI_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/ini/*.cpp)
lorimax_wine_test(test_ini ${LORIMAX_INI_TESTS})

file(GLOB LORIMAX_TEXTFILE_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/textfile/*.cpp)
lorimax_wine_test(test_textfile ${LORIMAX_TEXTFILE_TESTS})
# Its table of failed writes covers NKF's file conversions, with the real NKF32.DLL.
add_dependencies(test_textfile test_nkf_bridge)

file(GLOB LORIMAX_PATH_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/paths/*.cpp)
lorimax_wine_test(test_paths ${LORIMAX_PATH_TESTS})

file(GLOB LORIMAX_WINDOW_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/*.cpp)
lorimax_wine_test(test_windows ${LORIMAX_WINDOW_TESTS})
target_link_libraries(test_windows PRIVATE dwmapi)
set_tests_properties(test_windows PROPERTIES TIMEOUT 300)
set_property(TEST test_windows APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-CompositionOn.*")
add_executable(rect_all_without_host tests/helpers/rect_all_without_host.cpp)
target_link_libraries(rect_all_without_host PRIVATE lorimax)
target_include_directories(rect_all_without_host PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
add_dependencies(test_windows rect_all_without_host)
# Desktop composition on: the tests' own dwmapi.dll. Wine prefers a DLL in the
# program's folder even without an override, so the stand-in gets a folder of
# its own with copies of the test and the library.
set(LORIMAX_DWM_DIR ${CMAKE_BINARY_DIR}/bin/dwm-on)
add_library(dwmapi_standin SHARED tests/standins/dwmapi_standin.cpp)
lorimax_unloads_flat(dwmapi_standin)
set_target_properties(dwmapi_standin PROPERTIES PREFIX "" OUTPUT_NAME dwmapi RUNTIME_OUTPUT_DIRECTORY ${LORIMAX_DWM_DIR})
add_custom_command(TARGET test_windows POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LORIMAX_DWM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:test_windows> $<TARGET_FILE:lorimax>
          $<TARGET_FILE:rect_all_without_host> ${LORIMAX_DWM_DIR})
add_dependencies(test_windows dwmapi_standin)
add_test(NAME test_windows_composition COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${LORIMAX_DWM_DIR}/test_windows.exe)
set_tests_properties(test_windows_composition PROPERTIES WORKING_DIRECTORY ${LORIMAX_DWM_DIR} TIMEOUT 120
  ENVIRONMENT "GTEST_FILTER=CompositionOn.*;WINEDLLOVERRIDES=dwmapi=n")
lorimax_fail_on_parameter_checks(test_windows_composition)
file(GLOB LORIMAX_PROCESS_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/process/*_test.cpp)
lorimax_wine_test(test_process ${LORIMAX_PROCESS_TESTS})
set_tests_properties(test_process PROPERTIES TIMEOUT 900)  # a capture that hangs fails, not the run
add_executable(process_child tests/process/child.cpp)
add_dependencies(test_process process_child)
# What a macro meets through the DLL beside the bare calls (make bench-wine);
# no test entry: times are reported, never asserted.
add_executable(bench_wine bench/wine_bench.cpp $<TARGET_OBJECTS:lorimax_test_support>)
target_link_libraries(bench_wine PRIVATE lorimax lorimax_test_support lorimax::editorconfig)
target_include_directories(bench_wine PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests/process)
add_dependencies(bench_wine process_child test_nkf_bridge bridge_engines one_export)
# The load row: lorimax.dll stripped as the release ships it, beside the
# floor, a plain C DLL with one export, in a folder of their own.
add_library(one_export SHARED bench/one_export.c)
set_target_properties(one_export PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/bench-load)
add_custom_command(TARGET bench_wine POST_BUILD
  COMMAND ${CMAKE_STRIP} -o ${CMAKE_BINARY_DIR}/bin/bench-load/lorimax-shipped.dll $<TARGET_FILE:lorimax>)
file(GLOB LORIMAX_EDITORCONFIG_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/editorconfig/*.cpp)
lorimax_wine_test(test_editorconfig ${LORIMAX_EDITORCONFIG_TESTS})
target_link_libraries(test_editorconfig PRIVATE lorimax::pcre2)  # its header gives the expected version
# The same queries against Debian's editorconfig tool, on a tree written at test time.
find_program(LORIMAX_EDITORCONFIG_TOOL editorconfig REQUIRED)
add_test(NAME editorconfig_cross_check
  COMMAND ${CMAKE_COMMAND} -DTOOL=${LORIMAX_EDITORCONFIG_TOOL} -DRUN=${CMAKE_CROSSCOMPILING_EMULATOR}
          -DEXE=$<TARGET_FILE:test_editorconfig> -DTREE=${CMAKE_BINARY_DIR}/editorconfig-cross
          -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/editorconfig/cross_check.cmake)
set_tests_properties(editorconfig_cross_check PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Engine bridges. The stand-ins of the older NKF32.DLL levels and of HMJRE.DLL
# (backed by PCRE2) are built beside the test executable, with the real NKF32.DLL.
# The NKF tests have an executable of their own: their first cases need the
# result buffer at its initial size.
lorimax_wine_test(test_regex_bridge tests/bridges/regex_test.cpp)
lorimax_wine_test(test_nkf_bridge tests/bridges/nkf_test.cpp tests/bridges/loader_test.cpp)
function(lorimax_standin name source)
  add_library(${name} SHARED ${source})
  lorimax_unloads_flat(${name})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  add_dependencies(test_regex_bridge ${name})
  add_dependencies(test_nkf_bridge ${name})
endfunction()
lorimax_standin(nkf_level0_standin tests/bridges/nkf_standin.cpp)
target_compile_definitions(nkf_level0_standin PRIVATE NKF_STANDIN_LEVEL=0 NKF_STANDIN_VERSION="1.92")
lorimax_standin(nkf_level1_standin tests/bridges/nkf_standin.cpp)
target_compile_definitions(nkf_level1_standin PRIVATE NKF_STANDIN_LEVEL=1 NKF_STANDIN_VERSION="2.0.4")
# A library that gives a newer version than its functions: it lacks the Safe ones.
lorimax_standin(nkf_lacking_standin tests/bridges/nkf_standin.cpp)
target_compile_definitions(nkf_lacking_standin PRIVATE NKF_STANDIN_LEVEL=0 NKF_STANDIN_VERSION="2.1.0")
lorimax_standin(hmjre_standin tests/bridges/hmjre_standin.cpp)
target_link_libraries(hmjre_standin PRIVATE lorimax::pcre2)
lorimax_standin(hmjre_lacking_standin tests/bridges/hmjre_standin.cpp)
target_link_libraries(hmjre_lacking_standin PRIVATE lorimax::pcre2)
target_compile_definitions(hmjre_lacking_standin PRIVATE HMJRE_STANDIN_LACKS_TAGS)
# The real NKF32.DLL, and the expected bytes of its conversions made by Debian's
# nkf at test time from the same inputs.
add_custom_command(TARGET test_nkf_bridge POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::nkf> ${CMAKE_BINARY_DIR}/bin/NKF32.DLL)
add_test(NAME nkf_expected_bytes
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges/nkf_expected.sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges
          ${CMAKE_BINARY_DIR}/bin/nkf-cases)
set_tests_properties(nkf_expected_bytes PROPERTIES FIXTURES_SETUP nkf_expected)
set_tests_properties(test_nkf_bridge PROPERTIES FIXTURES_REQUIRED nkf_expected)

# Engine bridges II: the real Hunspell and MeCab beside the tests under the
# names a macro loads by default, a mecabrc beside MeCab (it wants one), and
# Debian's own tools' answers for the same inputs, made before the tests run.
set(LORIMAX_BRIDGE_BIN ${CMAKE_BINARY_DIR}/bin)
add_custom_target(bridge_engines ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::hunspell> ${LORIMAX_BRIDGE_BIN}/libhunspell.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::mecab> ${LORIMAX_BRIDGE_BIN}/libmecab.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges/mecab/mecabrc ${LORIMAX_BRIDGE_BIN}/mecabrc
  VERBATIM)

# A Hunspell that has Hunspell_getversion: the real one's exports forwarded.
add_library(hunspell_versioned SHARED tests/bridges/spell/hunspell_versioned.c tests/bridges/spell/hunspell_versioned.def)
set_target_properties(hunspell_versioned PROPERTIES PREFIX "")
add_executable(hunspell_direct tests/bridges/spell/hunspell_direct.cpp)

add_test(NAME bridge_engine_tools
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges/engine_tools.sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges/fixtures
          ${LORIMAX_BRIDGE_BIN}/bridges-fixtures)
set_tests_properties(bridge_engine_tools PROPERTIES FIXTURES_SETUP bridge_answers)
add_test(NAME hunspell_direct
  COMMAND hunspell_direct libhunspell.dll Z:/usr/share/hunspell/en_US.aff Z:/usr/share/hunspell/en_US.dic
          bridges-fixtures/spell_words.txt bridges-fixtures/hunspell-direct.txt)
set_tests_properties(hunspell_direct PROPERTIES WORKING_DIRECTORY ${LORIMAX_BRIDGE_BIN}
  FIXTURES_REQUIRED bridge_answers FIXTURES_SETUP hunspell_answers)

lorimax_wine_test(test_spell tests/bridges/spell/spell_test.cpp)
target_include_directories(test_spell PRIVATE tests/bridges)
set_tests_properties(test_spell PROPERTIES FIXTURES_REQUIRED "bridge_answers;hunspell_answers")
lorimax_wine_test(test_mecab tests/bridges/mecab/mecab_test.cpp)
target_include_directories(test_mecab PRIVATE tests/bridges)
set_tests_properties(test_mecab PROPERTIES FIXTURES_REQUIRED bridge_answers)
add_dependencies(test_spell bridge_engines hunspell_versioned hunspell_direct)
add_dependencies(test_mecab bridge_engines)
# The reference's examples (exports/examples.txt), run under Wine by
# scripts/reference-examples.sh: make docs writes their results into the file,
# and reference_examples fails when the library gives another. They run
# against a macro folder laid out as the readme says (bin/macro: lorimax.dll
# with each engine beside it, MeCab's mecabrc and a Shift_JIS dictionary,
# which narrow calls need, and Hunspell's en_US in dic), copied to C:\macro;
# the runner itself lives in a folder of its own, so that no engine is found
# beside it, with the tests' dwmapi.dll, so that the Dwm examples run with
# desktop composition on, as Windows has it.
add_executable(run_examples tools/run_examples.cpp)
target_include_directories(run_examples PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
target_link_options(run_examples PRIVATE -municode)
set_target_properties(run_examples PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/examples)
lorimax_heap_checked(run_examples)
set(LORIMAX_IPADIC_SJIS ${CMAKE_BINARY_DIR}/ipadic-sjis)
add_custom_command(OUTPUT ${LORIMAX_IPADIC_SJIS}/sys.dic
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/ipadic-sjis.sh ${LORIMAX_IPADIC_SJIS}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/ipadic-sjis.sh VERBATIM)
set(LORIMAX_MACRO_DIR ${CMAKE_BINARY_DIR}/bin/macro)
file(MAKE_DIRECTORY ${LORIMAX_MACRO_DIR})
file(WRITE ${LORIMAX_MACRO_DIR}/mecabrc "dicdir = $(rcpath)\\ipadic\r\n")
add_custom_target(macro_folder ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax> ${LORIMAX_MACRO_DIR}/lorimax.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::nkf> ${LORIMAX_MACRO_DIR}/NKF32.DLL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::mecab> ${LORIMAX_MACRO_DIR}/libmecab.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::hunspell> ${LORIMAX_MACRO_DIR}/libhunspell.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:hmjre_standin> ${LORIMAX_MACRO_DIR}/HMJRE.DLL
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${LORIMAX_IPADIC_SJIS} ${LORIMAX_MACRO_DIR}/ipadic
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LORIMAX_MACRO_DIR}/dic
  COMMAND ${CMAKE_COMMAND} -E create_symlink /usr/share/hunspell/en_US.aff ${LORIMAX_MACRO_DIR}/dic/en_US.aff
  COMMAND ${CMAKE_COMMAND} -E create_symlink /usr/share/hunspell/en_US.dic ${LORIMAX_MACRO_DIR}/dic/en_US.dic
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:dwmapi_standin> ${CMAKE_BINARY_DIR}/bin/examples/dwmapi.dll
  DEPENDS ${LORIMAX_IPADIC_SJIS}/sys.dic VERBATIM)
add_dependencies(macro_folder lorimax hmjre_standin run_examples dwmapi_standin)
add_test(NAME reference_examples
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/reference-examples.sh check ${CMAKE_BINARY_DIR}
          ${CMAKE_CURRENT_SOURCE_DIR}/exports/examples.txt)
set_tests_properties(reference_examples PROPERTIES TIMEOUT 600)

# Hardening: the sweep of every export with hostile arguments, the leak rounds,
# and the fault test, which runs in bin/faults against a second build of the
# DLL that carries an allocation-fault hook (one extra export). The shipped
# lorimax.dll never has it.
add_executable(sweep_child tests/hardening/sweep_child.cpp)
set(LORIMAX_HARDENING_SUPPORT tests/hardening/calls.cpp tests/hardening/sandbox_win.cpp)
lorimax_wine_test(test_sweep tests/hardening/sweep_test.cpp tests/hardening/device_test.cpp ${LORIMAX_HARDENING_SUPPORT})
add_dependencies(test_sweep sweep_child bridge_engines test_nkf_bridge)
lorimax_wine_test(test_leaks tests/hardening/leak_test.cpp ${LORIMAX_HARDENING_SUPPORT})
target_link_libraries(test_leaks PRIVATE psapi)
add_dependencies(test_leaks sweep_child)
set_tests_properties(test_leaks PROPERTIES TIMEOUT 300)
set_property(TEST test_leaks APPEND PROPERTY ENVIRONMENT LMX_LEAK_ROUNDS=600)
# Under the checked heap the committed pages of the same rounds drift by
# megabytes from run to run (freed blocks are checked, and held back to be);
# on the plain heap they stay flat to the page, so leaks are counted there.
lorimax_heap_plain(test_leaks)

# A kill in the middle of a whole-file rewrite, made by lmx.
lorimax_wine_test(test_kills tests/hardening/kill_test.cpp tests/hardening/sandbox_win.cpp)
add_dependencies(test_kills lmx test_nkf_bridge)
set_tests_properties(test_kills PROPERTIES TIMEOUT 600)

# Hostile input through the real engines, one table in one process, run
# against the engines as the recipes build them and again against the stock
# builds, which a user's own install is like: those are in bin/stock, MeCab
# with a mecabrc beside it, for the test to load by full path.
lorimax_wine_test(test_hostile tests/hardening/hostile_test.cpp)
target_include_directories(test_hostile PRIVATE tests/bridges)
set(LORIMAX_STOCK_BIN ${LORIMAX_BRIDGE_BIN}/stock)
add_custom_target(stock_engines ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LORIMAX_STOCK_BIN}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::hunspell_stock> ${LORIMAX_STOCK_BIN}/libhunspell.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lorimax::mecab_stock> ${LORIMAX_STOCK_BIN}/libmecab.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/tests/bridges/mecab/mecabrc ${LORIMAX_STOCK_BIN}/mecabrc
  VERBATIM)
add_dependencies(test_hostile bridge_engines stock_engines test_nkf_bridge)  # the latter places NKF32.DLL
set_tests_properties(test_hostile PROPERTIES TIMEOUT 300)

# The properties every export holds, on scripts of calls: properties.txt, to
# which oracle.py adds, when the tests run, the sections whose results
# Python's urllib and codecs give (URL coding, byte-order marks, the bytes of
# UTF-8 files, the UTF-8 conversions).
lorimax_wine_test(test_properties tests/hardening/property_test.cpp ${LORIMAX_HARDENING_SUPPORT})
add_dependencies(test_properties bridge_engines test_nkf_bridge)  # the latter places NKF32.DLL and its stand-ins
add_test(NAME property_scripts
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tests/hardening/oracle.py
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/hardening/properties.txt ${CMAKE_BINARY_DIR}/bin/properties.txt)
set_tests_properties(property_scripts PROPERTIES FIXTURES_SETUP property_scripts)
set_tests_properties(test_properties PROPERTIES FIXTURES_REQUIRED property_scripts)

add_library(lorimax_faults SHARED $<TARGET_PROPERTY:lorimax,SOURCES> tests/hardening/fault_hook_win.cpp)
target_link_libraries(lorimax_faults PRIVATE $<TARGET_PROPERTY:lorimax,LINK_LIBRARIES>)
target_compile_definitions(lorimax_faults PRIVATE $<TARGET_PROPERTY:lorimax,COMPILE_DEFINITIONS>)
target_compile_options(lorimax_faults PRIVATE $<TARGET_PROPERTY:lorimax,COMPILE_OPTIONS>)
set_target_properties(lorimax_faults PROPERTIES PREFIX "" OUTPUT_NAME lorimax
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/faults-import)
lorimax_wine_test(test_faults tests/hardening/fault_test.cpp ${LORIMAX_HARDENING_SUPPORT})
set_target_properties(test_faults PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults)
set_tests_properties(test_faults PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults)
add_dependencies(test_faults lorimax_faults)
