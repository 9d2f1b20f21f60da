# Windows-side tools.

# A labelled sheet of every built-in picture, drawn from the program's own
# resources: picturesheet.exe out.bmp
add_executable(picturesheet ${CMAKE_SOURCE_DIR}/tools/picturesheet/main.cpp $<TARGET_OBJECTS:corvane_res>)
target_link_libraries(picturesheet PRIVATE corvane_skin_theme)
set_target_properties(picturesheet PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
