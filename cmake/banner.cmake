# The site banner: resources/banner.jpg compiled into the program's data, and
# its portable decoder. Built for Windows and natively; tested natively.
find_package(JPEG REQUIRED)

set(QUELLBRIN_BANNER_JPEG ${CMAKE_SOURCE_DIR}/resources/banner.jpg)
set(QUELLBRIN_BANNER_CPP ${CMAKE_BINARY_DIR}/generated/banner_jpeg.cpp)
add_custom_command(
  OUTPUT ${QUELLBRIN_BANNER_CPP}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${QUELLBRIN_BANNER_JPEG} -DOUTPUT=${QUELLBRIN_BANNER_CPP}
          -DSYMBOL=BannerJpeg -P ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
  DEPENDS ${QUELLBRIN_BANNER_JPEG} ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
  COMMENT "Embedding banner.jpg"
  VERBATIM)

add_library(quellbrin_banner STATIC app/jpeg_decode.cpp ${QUELLBRIN_BANNER_CPP})
target_include_directories(quellbrin_banner PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quellbrin_banner PUBLIC JPEG::JPEG)

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
  find_package(GTest REQUIRED)
  include(GoogleTest)
  find_program(QUELLBRIN_DJPEG djpeg REQUIRED)
  find_program(QUELLBRIN_CJPEG cjpeg REQUIRED)

  # References from libjpeg-turbo's own tools, which use the same defaults as
  # the decoder (accurate integer IDCT, smooth upsampling): the banner as RGB,
  # and a grey version of it with its decoded grey levels.
  set(fixtures ${CMAKE_BINARY_DIR}/banner_fixtures)
  set(ref_ppm ${fixtures}/banner.ppm)
  set(grey_jpg ${fixtures}/banner_grey.jpg)
  set(grey_pgm ${fixtures}/banner_grey.pgm)
  add_custom_command(
    OUTPUT ${ref_ppm} ${grey_jpg} ${grey_pgm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${fixtures}
    COMMAND ${QUELLBRIN_DJPEG} -ppm -outfile ${ref_ppm} ${QUELLBRIN_BANNER_JPEG}
    COMMAND ${QUELLBRIN_CJPEG} -grayscale -quality 90 -outfile ${grey_jpg} ${ref_ppm}
    COMMAND ${QUELLBRIN_DJPEG} -pnm -outfile ${grey_pgm} ${grey_jpg}
    DEPENDS ${QUELLBRIN_BANNER_JPEG}
    COMMENT "Decoding banner.jpg with djpeg for the tests"
    VERBATIM)
  add_custom_target(banner_fixtures DEPENDS ${ref_ppm} ${grey_jpg} ${grey_pgm})

  file(GLOB QUELLBRIN_BANNER_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/banner/*_test.cpp)
  add_executable(banner_tests ${QUELLBRIN_BANNER_TESTS})
  add_dependencies(banner_tests banner_fixtures)
  target_link_libraries(banner_tests PRIVATE quellbrin_banner GTest::gtest GTest::gtest_main)
  target_compile_definitions(banner_tests PRIVATE
    QUELLBRIN_BANNER_PPM="${ref_ppm}"
    QUELLBRIN_GREY_JPG="${grey_jpg}"
    QUELLBRIN_GREY_PGM="${grey_pgm}")
  gtest_discover_tests(banner_tests DISCOVERY_TIMEOUT 60)
endif()
