# Windows build: quellbrin.exe, and the tests that run it under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# Statically linked: nothing but Windows' own DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

add_executable(quellbrin WIN32
  app/fonts_win32.cpp
  app/main_win32.cpp
  app/main_window_win32.cpp
  repair/registry_win32.cpp
  repair/shutdown_win32.cpp
)
target_link_options(quellbrin PRIVATE -municode)
target_link_libraries(quellbrin PRIVATE quellbrin_core comctl32 gdi32 user32 advapi32 shell32)

include(cmake/wine_tests.cmake)
