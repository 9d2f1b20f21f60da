# What a Windows user downloads: the shipped skin and help page beside the exe,
# a portable zip (CPack) and a per-user installer (NSIS), named after the one
# version in CMakeLists.txt and the architecture of the toolchain in use.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CORVANE_ARCH win64)
  set(CORVANE_NSIS_TARGET amd64-unicode)
  set(CORVANE_MANIFEST_ARCH amd64)
else()
  set(CORVANE_ARCH win32)
  set(CORVANE_NSIS_TARGET x86-unicode)
  set(CORVANE_MANIFEST_ARCH x86)
endif()
set(CORVANE_PACKAGE_NAME Corvane-${PROJECT_VERSION}-${CORVANE_ARCH})
set(CORVANE_PACKAGES ${CMAKE_BINARY_DIR}/packages)
set(BIN ${CMAKE_BINARY_DIR}/bin)

# Version resource and manifest (whose common-controls dependency must name
# the exe's own architecture, or the 64-bit exe cannot load comctl32 6).
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/corvane.manifest.in ${CMAKE_BINARY_DIR}/generated/corvane.manifest @ONLY)
target_include_directories(corvane_res PRIVATE ${CMAKE_BINARY_DIR}/generated)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/corvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_BINARY_DIR}/generated/version.h;${CMAKE_BINARY_DIR}/generated/corvane.manifest")
# The main window's caption names the version too.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/app/MainForm.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             CORVANE_VERSION_SHORT="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

# The skin packer runs on the building machine, so it is built natively
# beside this cross build.
include(ExternalProject)
set(NATIVE_SKINPACK ${CMAKE_BINARY_DIR}/native-tools/skinpack)
ExternalProject_Add(native_skinpack
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/skinpack
  BINARY_DIR ${CMAKE_BINARY_DIR}/native-tools
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${NATIVE_SKINPACK})

# Our skin: drawn by the art generator, packed by the packer; never checked in.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SKIN_DIR ${CMAKE_BINARY_DIR}/skin/msn)
file(GLOB GENART_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/genart/*.py)
add_custom_command(OUTPUT ${SKIN_DIR}/values.txt ${CMAKE_BINARY_DIR}/skin/msn-sheet.png
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/genart/skin.py ${SKIN_DIR} --dpi-art
          --sheet ${CMAKE_BINARY_DIR}/skin/msn-sheet.png
  DEPENDS ${GENART_SOURCES}
  COMMENT "Drawing the msn.ssk pictures and contact sheet")
add_custom_command(OUTPUT ${BIN}/msn.ssk
  COMMAND ${NATIVE_SKINPACK} ${SKIN_DIR} ${BIN}/msn.ssk
  DEPENDS ${SKIN_DIR}/values.txt ${NATIVE_SKINPACK} native_skinpack
  COMMENT "Packing msn.ssk")

# The built-in pictures drawn at 150 and 200 percent: made by the build, never checked in.
set(DPI_ART_DIR ${CMAKE_BINARY_DIR}/generated/art-dpi)
add_custom_command(OUTPUT ${DPI_ART_DIR}/art-dpi.rc
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/genart/genart.py --dpi-art ${DPI_ART_DIR}
  DEPENDS ${GENART_SOURCES}
  COMMENT "Drawing the built-in pictures at 150 and 200 percent")
target_include_directories(corvane_res PRIVATE ${DPI_ART_DIR})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/corvane.rc APPEND PROPERTY OBJECT_DEPENDS ${DPI_ART_DIR}/art-dpi.rc)

# Help page and the texts that go with the packages.
if(CORVANE_ARCH STREQUAL win64)
  set(CORVANE_README_MENU32 "\n  CorvaneMenu32.dll          the same menu for 32-bit programs")
  set(CORVANE_README_ARCH_NOTE "")
else()
  set(CORVANE_README_MENU32 "")
  set(CORVANE_README_ARCH_NOTE "64-bit Windows
  Explorer on 64-bit Windows loads only 64-bit menus: this 32-bit package
  gives the Corvane menu in the Open and Save dialogs of 32-bit programs
  only. For the menu in Explorer, use the win64 package, which sets up both.

")
endif()
configure_file(${CMAKE_SOURCE_DIR}/resources/help.html ${BIN}/help.html @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/README.txt.in ${CMAKE_BINARY_DIR}/packaging/README.txt
               @ONLY NEWLINE_STYLE CRLF)
add_custom_target(ship_files ALL DEPENDS ${BIN}/msn.ssk)
add_dependencies(Corvane ship_files)

set(SHIPPED_FILES ${BIN}/msn.ssk ${BIN}/help.html ${CMAKE_BINARY_DIR}/packaging/README.txt
    ${CMAKE_SOURCE_DIR}/packaging/LICENSE.txt ${CMAKE_SOURCE_DIR}/packaging/LICENSES-THIRD-PARTY.txt)
# Packing needs only the exe and these files, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS Corvane CorvaneMenu RUNTIME DESTINATION .)
install(FILES ${SHIPPED_FILES} DESTINATION .)

# The 64-bit package also carries the 32-bit Corvane menu, for 32-bit programs' file
# dialogs: the same sources built by the i686 toolchain in a build folder of their own
# (only the DLL's target), copied beside the exe as CorvaneMenu32.dll.
if(CORVANE_ARCH STREQUAL win64)
  ExternalProject_Add(menu32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/menu32
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target CorvaneMenu
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/bin/CorvaneMenu.dll ${BIN}/CorvaneMenu32.dll
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${BIN}/CorvaneMenu32.dll)
  install(FILES ${BIN}/CorvaneMenu32.dll DESTINATION .)
endif()

# Portable zip: Corvane-<version>-<arch>.zip with one folder of that name.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Corvane)
set(CPACK_PACKAGE_VENDOR Tollbright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${CORVANE_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CORVANE_PACKAGES})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The exe and DLLs are stripped when linked; strip would drop their run-from-swap flags.
set(CPACK_STRIP_FILES OFF)
include(CPack)

# Installer: the same files as the zip, staged by the install rules.
find_program(MAKENSIS makensis)
set(STAGE ${CMAKE_BINARY_DIR}/packaging/stage)
set(CORVANE_STAGE_NATIVE ${STAGE})
set(CORVANE_ICON_NATIVE ${CMAKE_SOURCE_DIR}/resources/art/corvane.ico)
set(CORVANE_INSTALLER ${CORVANE_PACKAGES}/${CORVANE_PACKAGE_NAME}-setup.exe)
set(CORVANE_MENU_CLSID "{30686F35-109B-4760-826D-29855D804D71}") # as in src/menu/Module.h
configure_file(${CMAKE_SOURCE_DIR}/packaging/corvane.nsi.in ${CMAKE_BINARY_DIR}/packaging/corvane.nsi @ONLY)

# `packages` makes both; scripts/package.sh builds it.
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${STAGE}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_PACKAGES}
  COMMAND $<IF:$<BOOL:${MAKENSIS}>,${MAKENSIS},makensis-not-found> -V2 -NOCD ${CMAKE_BINARY_DIR}/packaging/corvane.nsi
  COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing ${CORVANE_PACKAGE_NAME}.zip and ${CORVANE_PACKAGE_NAME}-setup.exe"
  VERBATIM)
add_dependencies(packages Corvane CorvaneMenu ship_files)
if(TARGET menu32)
  add_dependencies(packages menu32)
endif()

# Drives a packaged or installed exe for scripts/package-tests.sh.
add_executable(shipcheck ${CMAKE_SOURCE_DIR}/tests/package/shipcheck.cpp)
target_link_libraries(shipcheck PRIVATE user32 kernel32)
set_target_properties(shipcheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-tools)
add_executable(sessionsim ${CMAKE_SOURCE_DIR}/tests/package/sessionsim.cpp)
target_link_options(sessionsim PRIVATE -municode)
target_link_libraries(sessionsim PRIVATE advapi32 kernel32)
set_target_properties(sessionsim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-tools)
