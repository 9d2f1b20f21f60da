# Host-side tools. The packer's writer itself is part of corvane_core (listed
# in src/skin/theme/sources.cmake) so that tests of both builds can use it.
add_executable(skinpack ${CMAKE_SOURCE_DIR}/tools/skinpack/main.cpp)
target_link_libraries(skinpack PRIVATE corvane_core)

# The fuzz targets link corvane_core; without coverage instrumentation in it
# libFuzzer would see only the target's own few lines. The sanitizer runtimes
# supply the coverage hooks for the other host executables.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  target_compile_options(corvane_core PRIVATE -fsanitize=fuzzer-no-link)
endif()
