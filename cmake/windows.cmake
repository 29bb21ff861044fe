# The Windows build: lorimax.dll, the command-line host lmx.exe and the test
# executables, all linked statically against the C++ runtime so that they
# import system DLLs only.
enable_language(RC)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_link_options(-static)

file(GLOB_RECURSE LORIMAX_WINDOWS_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*_win.cpp)
list(APPEND LORIMAX_WINDOWS_SOURCES src/frame/version.rc)
file(GLOB LORIMAX_EXPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/exports/*.cpp)

add_library(lorimax SHARED ${LORIMAX_EXPORT_SOURCES} ${LORIMAX_WINDOWS_SOURCES})
target_link_libraries(lorimax PRIVATE lorimax_core version shlwapi shell32 ole32 wininet)
target_compile_definitions(lorimax PRIVATE LORIMAX_BUILDING_DLL)
set_target_properties(lorimax PROPERTIES PREFIX "" OUTPUT_NAME lorimax)

add_executable(lmx tools/lmx/lmx.cpp)
target_include_directories(lmx PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src)
target_link_options(lmx PRIVATE -municode)
add_dependencies(lmx lorimax)

# GoogleTest, cross-compiled from Debian's sources.
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_SHARED_LIBS OFF)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# What every test executable shares: the host stand-ins it exports and the
# helpers for Shift_JIS literals.
add_library(lorimax_test_support OBJECT tests/support/host_standin.cpp tests/support/text.cpp)
target_include_directories(lorimax_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR}/tests/support)
target_link_libraries(lorimax_test_support PUBLIC gtest gmock)

# One executable per family, run whole once by ctest through Wine.
function(lorimax_wine_test name)
  add_executable(${name} ${ARGN} $<TARGET_OBJECTS:lorimax_test_support>)
  target_link_libraries(${name} PRIVATE lorimax lorimax_test_support gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

file(GLOB LORIMAX_FRAME_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/frame/*.cpp)
lorimax_wine_test(test_frame ${LORIMAX_FRAME_TESTS})

file(GLOB LORIMAX_STRING_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/strings/*.cpp)
lorimax_wine_test(test_strings ${LORIMAX_STRING_TESTS})

# lmx runs the demo script and prints what the table's kinds say it should.
add_test(NAME lmx_demo
  COMMAND ${CMAKE_COMMAND} -DRUN=${CMAKE_CROSSCOMPILING_EMULATOR}
          "-DARGS=$<TARGET_FILE:lmx>|-f|${CMAKE_CURRENT_SOURCE_DIR}/demo/demo.lmx"
          -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/tests/lmx/demo.expected
          -DWORKDIR=${CMAKE_BINARY_DIR}/bin -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-output.cmake)

file(GLOB LORIMAX_FORMAT_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/format/*.cpp)
lorimax_wine_test(test_format ${LORIMAX_FORMAT_TESTS})

file(GLOB LORIMAX_INI_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/ini/*.cpp)
lorimax_wine_test(test_ini ${LORIMAX_INI_TESTS})

file(GLOB LORIMAX_TEXTFILE_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/textfile/*.cpp)
lorimax_wine_test(test_textfile ${LORIMAX_TEXTFILE_TESTS})
add_executable(exit_without_close tests/helpers/exit_without_close.cpp)
target_link_libraries(exit_without_close PRIVATE lorimax)
target_include_directories(exit_without_close PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(test_textfile exit_without_close)

file(GLOB LORIMAX_PATH_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/paths/*.cpp)
lorimax_wine_test(test_paths ${LORIMAX_PATH_TESTS})

# Hardening: the sweep of every export with hostile arguments, the leak rounds,
# and the fault test, which runs in bin/faults against a second build of the
# DLL that carries an allocation-fault hook (one extra export). The shipped
# lorimax.dll never has it.
add_executable(sweep_child tests/hardening/sweep_child.cpp)
set(LORIMAX_HARDENING_SUPPORT tests/hardening/calls.cpp tests/hardening/sandbox_win.cpp)
lorimax_wine_test(test_sweep tests/hardening/sweep_test.cpp ${LORIMAX_HARDENING_SUPPORT})
add_dependencies(test_sweep sweep_child)
set_tests_properties(test_sweep PROPERTIES ENVIRONMENT LORIMAX_WINEDEBUG=-all,err+msvcrt
  FAIL_REGULAR_EXPRESSION "err:msvcrt:_invalid_parameter")
lorimax_wine_test(test_leaks tests/hardening/leak_test.cpp ${LORIMAX_HARDENING_SUPPORT})
target_link_libraries(test_leaks PRIVATE psapi)
add_dependencies(test_leaks sweep_child)
set_tests_properties(test_leaks PROPERTIES ENVIRONMENT LMX_LEAK_ROUNDS=1000)

add_library(lorimax_faults SHARED $<TARGET_PROPERTY:lorimax,SOURCES> tests/hardening/fault_hook_win.cpp)
target_link_libraries(lorimax_faults PRIVATE $<TARGET_PROPERTY:lorimax,LINK_LIBRARIES>)
target_compile_definitions(lorimax_faults PRIVATE $<TARGET_PROPERTY:lorimax,COMPILE_DEFINITIONS>)
set_target_properties(lorimax_faults PROPERTIES PREFIX "" OUTPUT_NAME lorimax
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/faults-import)
lorimax_wine_test(test_faults tests/hardening/fault_test.cpp ${LORIMAX_HARDENING_SUPPORT})
set_target_properties(test_faults PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults)
set_tests_properties(test_faults PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin/faults)
add_dependencies(test_faults lorimax_faults)
