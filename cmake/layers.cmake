# One static library per layer, each linking only to the layers below it.
#
# A layer's headers are reachable only through its own include root, a folder in the
# build tree that links `<root>/<prefix>` to the layer's source folder (`ui`,
# `skin/theme`, ...). A library sees its own root and those of the layers it links,
# so including a header of a layer above fails to build.
#
# corvane_layer(<name> <source folder> <include prefix> [DEPENDS <layers>...])
# The folder's sources.cmake sets CORE_SOURCES (platform-free, in both builds) and
# WIN_SOURCES (Windows build only).
function(corvane_layer name folder prefix)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  set(CORE_SOURCES)
  set(WIN_SOURCES)
  include(${CMAKE_SOURCE_DIR}/${folder}/sources.cmake)
  set(sources ${CORE_SOURCES})
  if(WIN32)
    list(APPEND sources ${WIN_SOURCES})
  endif()
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  get_filename_component(parent ${root}/${prefix} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${prefix})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${prefix} COPY_ON_ERROR SYMBOLIC)
  endif()
  add_library(corvane_${name} STATIC ${sources})
  target_include_directories(corvane_${name} PUBLIC ${root})
  if(WIN32)
    # Every Win32 macro resolves to its wide form inside the product, so a narrow text call
    # cannot slip in through a macro; headers name the W forms explicitly.
    target_compile_definitions(corvane_${name} PRIVATE UNICODE _UNICODE)
  endif()
  foreach(dep ${L_DEPENDS})
    target_link_libraries(corvane_${name} PUBLIC corvane_${dep})
  endforeach()
endfunction()

# The layers, top of the stack first. Called by the build's settings file once its
# compile options are set.
macro(corvane_add_layers)
corvane_layer(ui src/ui ui)
corvane_layer(skin_theme src/skin/theme skin/theme DEPENDS ui)
corvane_layer(flat src/flat flat DEPENDS ui)
corvane_layer(skin_controls src/skin/controls skin/controls DEPENDS skin_theme ui)
corvane_layer(skin_frame src/skin/frame skin/frame DEPENDS skin_theme ui)
# The favourites store and options file, shared by the editor and the Corvane menu.
corvane_layer(store src/store store DEPENDS ui)
corvane_layer(app src/app app DEPENDS store skin_frame skin_controls flat skin_theme ui)
# The Corvane menu's objects; the DLL itself is made by the Windows build.
corvane_layer(menu src/menu menu DEPENDS store ui)
# Not a layer of the program: the skin writer, for the packer, tests and benchmarks.
corvane_layer(skinwriter tools/skinpack skinpack DEPENDS skin_theme)
endmacro()
