# Host build: the platform-free core under ASan and UBSan, its tests and the fuzz targets.
find_package(ZLIB REQUIRED)
set(SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra ${SAN_FLAGS})
add_link_options(${SAN_FLAGS})

add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/gtest EXCLUDE_FROM_ALL)

corvane_add_layers()
target_link_libraries(corvane_skin_theme PUBLIC ZLIB::ZLIB)

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/host.cmake)
  include(${CMAKE_SOURCE_DIR}/tools/host.cmake)
endif()

file(GLOB HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
if(HOST_TESTS)
  add_executable(host_tests ${HOST_TESTS})
  target_link_libraries(host_tests PRIVATE corvane_app corvane_menu corvane_skinwriter gtest_main)
  add_test(NAME host_tests COMMAND host_tests)
endif()

# libFuzzer targets need clang; each tests/fuzz/*.cpp is one target.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE corvane_skin_theme corvane_store corvane_skinwriter)
  endforeach()
endif()
