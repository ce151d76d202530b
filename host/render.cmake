# The renderer's own parts: command line, picture files (EXR through tinyexr, PNG through
# libpng), parameter settings from text and the render loop. A library so tests can use them.
add_library(ofx_render_command STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ImageFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenderCommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParamSetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenderCommand.cpp)
target_link_libraries(ofx_render_command PUBLIC ofx_host tinyexr::tinyexr PNG::PNG)
target_link_libraries(edge_bleed_render PRIVATE ofx_render_command)

# Compares two pictures; the GPU check uses it to set CUDA renders against CPU renders.
add_executable(edge_bleed_image_diff ${CMAKE_CURRENT_LIST_DIR}/ImageDiffMain.cpp)
target_link_libraries(edge_bleed_image_diff PRIVATE ofx_render_command)
