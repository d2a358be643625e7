# Tests of the exe's PE header, resources, reproducibility and DLL hardening.

# Host-side: the header of this build's exe, read with objdump.
add_test(NAME pe_header
  COMMAND ${CMAKE_SOURCE_DIR}/tests/resources/check-pe ${QUELLBRIN_ARCH}-w64-mingw32-objdump
          $<TARGET_FILE:quellbrin> ${QUELLBRIN_ARCH})

# Host-side: two clean builds of the product in two directories.
add_test(NAME reproducible_build
  COMMAND ${CMAKE_SOURCE_DIR}/tests/reproducible-build ${CMAKE_SOURCE_DIR}
          ${CMAKE_BINARY_DIR}/reproducible)
set_tests_properties(reproducible_build PROPERTIES LABELS slow TIMEOUT 1200)

if(NOT QUELLBRIN_WINE_TESTS)
  return()
endif()

# A hook DLL that the tests load into the running program to look from inside.
add_library(in_process_probe SHARED tests/win/in_process_probe_dll.cpp)
target_include_directories(in_process_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(in_process_probe PRIVATE user32 gdi32)
set_target_properties(in_process_probe PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY
  ${CMAKE_BINARY_DIR})

add_library(quellbrin_program_under_test STATIC tests/win/program_under_test.cpp)
target_link_libraries(quellbrin_program_under_test PUBLIC quellbrin_win32)

quellbrin_wine_test(resources_tests
  SOURCES tests/win/resources_test.cpp tests/win/wine_test_main.cpp
  LIBS quellbrin_program_under_test version)
add_dependencies(resources_tests quellbrin in_process_probe)

# The DLL that the planting test leaves beside the program.
add_library(planted_probe SHARED tests/win/planted_dll.cpp)
set_target_properties(planted_probe PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY
  ${CMAKE_BINARY_DIR}/planted)

# The program as it would be without its DLL search restriction, built from
# the same sources and options, to show that the planting test can fail.
add_executable(quellbrin_unhardened WIN32 $<TARGET_PROPERTY:quellbrin,SOURCES>)
target_include_directories(quellbrin_unhardened PRIVATE
  $<TARGET_PROPERTY:quellbrin,INCLUDE_DIRECTORIES>)
target_compile_definitions(quellbrin_unhardened PRIVATE
  $<TARGET_PROPERTY:quellbrin,COMPILE_DEFINITIONS> QUELLBRIN_NO_DLL_HARDENING)
target_compile_options(quellbrin_unhardened PRIVATE $<TARGET_PROPERTY:quellbrin,COMPILE_OPTIONS>)
target_link_options(quellbrin_unhardened PRIVATE $<TARGET_PROPERTY:quellbrin,LINK_OPTIONS>)
target_link_libraries(quellbrin_unhardened PRIVATE $<TARGET_PROPERTY:quellbrin,LINK_LIBRARIES>)
set_target_properties(quellbrin_unhardened PROPERTIES OUTPUT_NAME quellbrin
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/unhardened)

quellbrin_wine_test(planted_dll_tests
  SOURCES tests/win/planted_dll_test.cpp tests/win/wine_test_main.cpp
  LIBS quellbrin_program_under_test)
add_dependencies(planted_dll_tests quellbrin quellbrin_unhardened planted_probe in_process_probe)
