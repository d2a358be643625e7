# Windows-side tests, run by ctest under Wine in a fresh prefix per test run.
if(QUELLBRIN_ARCH STREQUAL "x86_64")
  set(QUELLBRIN_WINE /usr/lib/wine/wine64)
else()
  set(QUELLBRIN_WINE /usr/lib/wine/wine)
endif()
set(QUELLBRIN_WINESERVER /usr/lib/wine/wineserver)
set(QUELLBRIN_WINE_DIR ${CMAKE_BINARY_DIR}/wine)

execute_process(COMMAND ${QUELLBRIN_WINE} --version RESULT_VARIABLE _wine_rc OUTPUT_QUIET ERROR_QUIET)
if(NOT _wine_rc EQUAL 0)
  message(STATUS "Wine for ${QUELLBRIN_ARCH} cannot run here: the Wine-side tests are left out of this build")
  return()
endif()

set(QUELLBRIN_WINE_TESTS ON)

configure_file(${CMAKE_SOURCE_DIR}/tests/wine/run-in-wine.in ${CMAKE_BINARY_DIR}/run-in-wine @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

add_test(NAME wine_session_start
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session start ${QUELLBRIN_WINE_DIR} ${QUELLBRIN_WINE})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_session_stop
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session stop ${QUELLBRIN_WINE_DIR} ${QUELLBRIN_WINESERVER})
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

find_package(GTest REQUIRED)
include(GoogleTest)

# Adds a GoogleTest program run under Wine, one ctest entry per test.
function(quellbrin_wine_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest)
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/run-in-wine)
  gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST _tests)
  set_tests_properties(${_tests} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
endfunction()

quellbrin_wine_test(registry_win32_tests
  SOURCES tests/win/registry_win32_test.cpp tests/win/wine_test_main.cpp
  LIBS quellbrin_win32)

add_subdirectory(tests/e2e)
