# Native build: the portable core under GoogleTest.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB QUELLBRIN_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${QUELLBRIN_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE quellbrin_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
