# The native build of the portable core: its unit tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the benchmarks, the fuzz targets and the
# generator of the reference in docs/.
option(LORIMAX_SANITIZE "build the core with ASan and UBSan" ON)
if(LORIMAX_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(lorimax_core PUBLIC ${sanitize})
  target_link_options(lorimax_core PUBLIC ${sanitize})
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB LORIMAX_CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/core/*.cpp)
add_executable(test_core ${LORIMAX_CORE_TESTS})
target_link_libraries(test_core PRIVATE lorimax_core lorimax_test_rules gtest gmock gtest_main)
add_test(NAME test_core COMMAND test_core)

# The EditorConfig core as the engine recipes mend it, built natively under
# ASan and LSan (scripts/engines/recipes/editorconfig_asan.sh), against a
# corpus of hostile .editorconfig files.
if(LORIMAX_EDITORCONFIG_ASAN_DIR)
  add_executable(test_editorconfig_core tests/editorconfig/native/hostile_core.cpp)
  target_include_directories(test_editorconfig_core PRIVATE ${LORIMAX_EDITORCONFIG_ASAN_DIR}/include)
  target_link_libraries(test_editorconfig_core PRIVATE ${LORIMAX_EDITORCONFIG_ASAN_DIR}/lib/libeditorconfig_static.a
    pcre2-8 lorimax_test_rules gtest gtest_main)
  target_compile_options(test_editorconfig_core PRIVATE -fsanitize=address -fno-omit-frame-pointer)
  target_link_options(test_editorconfig_core PRIVATE -fsanitize=address -Wl,--wrap=pcre2_match_8)
  add_test(NAME test_editorconfig_core COMMAND test_editorconfig_core)
endif()

# The reference in docs/: the committed Markdown and HTML must be what the
# generator writes from the tables now, and the HTML page must work in a real
# browser (Debian's chromium, from scripts/install-deps.sh).
add_executable(gen_reference tools/gen_reference.cpp)
target_include_directories(gen_reference PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src
  ${CMAKE_BINARY_DIR}/generated)
add_dependencies(gen_reference lorimax_messages)
target_compile_definitions(gen_reference PRIVATE LORIMAX_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
  LORIMAX_VERSION="${PROJECT_VERSION}")
foreach(form md html)
  add_test(NAME reference_${form}_is_current
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/reference/current.sh $<TARGET_FILE:gen_reference> ${form}
            ${CMAKE_CURRENT_SOURCE_DIR}/docs/reference.${form})
endforeach()
find_program(LORIMAX_CHROMIUM NAMES chromium)
add_test(NAME reference_page
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tests/reference/page_test.py ${LORIMAX_CHROMIUM}
          $<TARGET_FILE:gen_reference> ${CMAKE_CURRENT_SOURCE_DIR}/docs/reference.html ${PROJECT_VERSION}
          ${CMAKE_BINARY_DIR}/reference-screens)
set_tests_properties(reference_page PROPERTIES TIMEOUT 900)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench_strings bench/strings_bench.cpp tests/core/text_native.cpp)
  target_link_libraries(bench_strings PRIVATE lorimax_core benchmark::benchmark)
endif()

# Fuzz targets, when the compiler is clang (make fuzz builds them so).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # The core itself carries the coverage that guides the fuzzer.
  target_compile_options(lorimax_core PUBLIC -fsanitize=fuzzer-no-link)
  add_executable(fuzz_core fuzz/core_fuzz.cpp)
  target_link_libraries(fuzz_core PRIVATE lorimax_core lorimax_test_rules)
  target_compile_options(fuzz_core PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_core PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz_core_smoke COMMAND fuzz_core -runs=20000 -seed=932)

  # The differential targets, one per file: fuzz/<name>_fuzz.cpp gives fuzz_<name>.
  file(GLOB LORIMAX_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  list(FILTER LORIMAX_FUZZ_SOURCES EXCLUDE REGEX "/core_fuzz\\.cpp$")
  add_custom_target(fuzz_all DEPENDS fuzz_core)
  foreach(source ${LORIMAX_FUZZ_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" stem ${stem})
    add_executable(fuzz_${stem} ${source})
    target_link_libraries(fuzz_${stem} PRIVATE lorimax_core)
    target_compile_options(fuzz_${stem} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${stem} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzz_all fuzz_${stem})
    add_test(NAME fuzz_${stem}_smoke COMMAND fuzz_${stem} -runs=5000 -seed=932)
    # Inputs that once failed, run again one by one.
    file(GLOB regressions CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/regressions/${stem}/*)
    if(regressions)
      add_test(NAME fuzz_${stem}_regressions_smoke COMMAND fuzz_${stem} ${regressions})
    endif()
  endforeach()
endif()
