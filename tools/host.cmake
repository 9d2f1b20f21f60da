# Host-side tools.
add_executable(skinpack ${CMAKE_SOURCE_DIR}/tools/skinpack/main.cpp)
target_link_libraries(skinpack PRIVATE corvane_skinwriter)

# The fuzz targets link the layer libraries; without coverage instrumentation in
# them libFuzzer would see only the target's own few lines. The sanitizer runtimes
# supply the coverage hooks for the other host executables.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  foreach(layer ui skin_theme flat app skinwriter)
    target_compile_options(corvane_${layer} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
endif()
