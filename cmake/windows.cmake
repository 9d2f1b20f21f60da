# Windows build: Corvane.exe, the Win32 tests, end-to-end driver and benchmarks, run under Wine.
enable_language(RC)
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT)
add_compile_options(-Wall -Wextra)
add_link_options(-static -static-libgcc -static-libstdc++)

find_library(ZLIB_STATIC NAMES libz.a z REQUIRED)

add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/gtest EXCLUDE_FROM_ALL)

set(WIN_LIBS ${ZLIB_STATIC} shlwapi comctl32 comdlg32 shell32 ole32 uuid oleacc oleaut32 gdi32 user32 advapi32 kernel32 msimg32)

corvane_add_layers()
target_link_libraries(corvane_ui PUBLIC ${WIN_LIBS})
# The menu speaks to the shell of Vista and later (file dialogs, shell items); what it
# calls of it is looked up at run time, so the DLL still loads where it is missing.
target_compile_options(corvane_menu PRIVATE -U_WIN32_WINNT -D_WIN32_WINNT=0x0600)

# The resource script is compiled once and linked into the exe and the Win32 tests,
# so tests load the very same bitmaps and icons.
add_library(corvane_res OBJECT ${CMAKE_SOURCE_DIR}/resources/corvane.rc)
set_target_properties(corvane_res PROPERTIES LINKER_LANGUAGE CXX)

add_executable(Corvane WIN32 src/app/WinMain.cpp $<TARGET_OBJECTS:corvane_res>)
target_link_libraries(Corvane PRIVATE corvane_app)
target_compile_definitions(Corvane PRIVATE UNICODE _UNICODE)
set_target_properties(Corvane PROPERTIES OUTPUT_NAME Corvane RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Stripped when linked, not when packed: strip would drop the run-from-swap flags below.
target_link_options(Corvane PRIVATE -s)

# The Corvane menu: a shell extension beside the exe, made of the store and the platform
# only. The .def file exports the COM entry points undecorated on both architectures.
add_library(CorvaneMenu SHARED src/menu/Exports.cpp src/menu/CorvaneMenu.def resources/menu.rc)
target_link_libraries(CorvaneMenu PRIVATE corvane_menu)
target_compile_definitions(CorvaneMenu PRIVATE UNICODE _UNICODE)
target_include_directories(CorvaneMenu PRIVATE ${CMAKE_BINARY_DIR}/generated)
set_target_properties(CorvaneMenu PROPERTIES PREFIX "" OUTPUT_NAME CorvaneMenu
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Stripped as it ships: tests and benchmarks load what users get.
target_link_options(CorvaneMenu PRIVATE -s)
# Run from the swap file when started from removable media or a share: the menu lives in
# Explorer and every program's dialogs, which an unplugged stick must not take down.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
foreach(image Corvane CorvaneMenu)
  add_custom_command(TARGET ${image} POST_BUILD
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/cmake/run-from-swap.py $<TARGET_FILE:${image}> VERBATIM)
endforeach()
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the stdcall entry points without their @n; that is the intent.
  target_link_options(CorvaneMenu PRIVATE -Wl,--enable-stdcall-fixup)
endif()

file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
if(WIN_TESTS)
  add_executable(win_tests ${WIN_TESTS} $<TARGET_OBJECTS:corvane_res>)
  target_link_libraries(win_tests PRIVATE corvane_app corvane_menu corvane_skinwriter gtest)
  set_target_properties(win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(win_tests CorvaneMenu) # the menu tests load the DLL as the shell does
  # The menu's tests drive the system's own file dialog of Vista and later.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/win/menu_test.cpp PROPERTIES
                              COMPILE_OPTIONS "-U_WIN32_WINNT;-D_WIN32_WINNT=0x0600;-U_WIN32_IE;-D_WIN32_IE=0x0700")
  add_test(NAME win_tests COMMAND win_tests)
endif()

file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(E2E_TESTS)
  add_executable(e2e_tests ${E2E_TESTS})
  target_link_libraries(e2e_tests PRIVATE corvane_app gtest_main)
  set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(e2e_tests Corvane CorvaneMenu)
  add_test(NAME e2e_tests COMMAND e2e_tests)
endif()

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
if(BENCH_SOURCES)
  add_executable(corvane_bench ${BENCH_SOURCES} $<TARGET_OBJECTS:corvane_res>)
  target_link_libraries(corvane_bench PRIVATE corvane_app corvane_skinwriter)
  set_target_properties(corvane_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # The menu benchmarks load the DLL and, as the floor of loading it, a DLL that does nothing.
  add_library(BenchEmpty SHARED ${CMAKE_SOURCE_DIR}/tests/bench/empty/EmptyDll.cpp)
  set_target_properties(BenchEmpty PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(corvane_bench CorvaneMenu BenchEmpty)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/windows.cmake)
  include(${CMAKE_SOURCE_DIR}/tools/windows.cmake)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
