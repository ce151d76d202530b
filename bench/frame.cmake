# Whole frames of Edge Bleed through the host library on the host backend (bench_frame): the
# framework's own cost next to the kernels' time, and GPU objects created in steady state.
# The bundle is the Edge Bleed definition under its own effect name, so its log (which carries
# the per-pass kernel times) is not shared with other runs, plus the test hooks that count the
# bundle's GPU objects.
set(bench_frame_xml "${CMAKE_CURRENT_BINARY_DIR}/bench_frame.xml")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/effects/edge_bleed/edge_bleed.xml")
file(READ "${PROJECT_SOURCE_DIR}/effects/edge_bleed/edge_bleed.xml" bench_frame_definition_text)
string(REPLACE "name=\"Edge Bleed\"" "name=\"Edge Bleed frame bench\"" bench_frame_definition_text
       "${bench_frame_definition_text}")
file(WRITE "${bench_frame_xml}" "${bench_frame_definition_text}")
eb_embed_definition(bench_frame_definition "${bench_frame_xml}")
eb_add_effect_bundle(bench_frame_bundle
  BUNDLE_NAME bench_frame
  IDENTIFIER bench_frame
  DEFINITION_TARGET bench_frame_definition
  OUTPUT_DIR "${CMAKE_CURRENT_BINARY_DIR}/bundles")
target_sources(bench_frame_bundle PRIVATE "${PROJECT_SOURCE_DIR}/tests/render/support/BundleTestHooks.cpp")
target_compile_definitions(bench_frame_bundle PRIVATE RENDER_TEST_BUNDLE="bench_frame")

add_executable(bench_frame ${CMAKE_CURRENT_LIST_DIR}/FrameBench.cpp)
target_link_libraries(bench_frame PRIVATE ofx_host)
set_target_properties(bench_frame PROPERTIES ENABLE_EXPORTS ON)
target_compile_definitions(bench_frame PRIVATE
  FRAME_BENCH_BUNDLE="${CMAKE_CURRENT_BINARY_DIR}/bundles/bench_frame.ofx.bundle")
add_dependencies(bench_frame bench_frame_bundle)
