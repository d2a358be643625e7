# Windows build: quellbrin.exe, and the tests that run it under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_compile_options(-ffunction-sections -fdata-sections)
# The program catches nothing: no exception tables or run-time type data.
set(QUELLBRIN_LEAN_FLAGS -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
# Statically linked: nothing but Windows' own DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)

# The Win32 adapters, shared by the program and its Windows-side tests.
add_library(quellbrin_win32 STATIC
  app/banner_win32.cpp
  app/credits_win32.cpp
  app/fonts_win32.cpp
  app/main_window_win32.cpp
  repair/registry_win32.cpp
  repair/shutdown_win32.cpp
)
target_link_libraries(quellbrin_win32 PUBLIC quellbrin_core quellbrin_banner comctl32 gdi32 user32 advapi32 shell32)

add_executable(quellbrin WIN32 app/main_win32.cpp app/terminate_handler_win32.cpp)
target_link_options(quellbrin PRIVATE -municode -s)
target_link_libraries(quellbrin PRIVATE quellbrin_win32)

# Resources, hardening and reproducibility of the exe.
include(cmake/resources.cmake OPTIONAL)

include(cmake/wine_tests.cmake)
# Windows-side tests of the resources and the hardening.
include(cmake/resources_tests.cmake OPTIONAL)

