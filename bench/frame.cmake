# Whole frames of Edge Bleed through the host library on the host backend (frame_bench): the
# framework's own cost next to the kernels' time, and GPU objects created in steady state.
# The bundle is the Edge Bleed definition under its own effect name, so its log (which carries
# the per-pass kernel times) is not shared with other runs, plus the test hooks that count the
# bundle's GPU objects.
set(frame_bench_xml "${CMAKE_CURRENT_BINARY_DIR}/frame_bench.xml")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/effects/edge_bleed/edge_bleed.xml")
file(READ "${PROJECT_SOURCE_DIR}/effects/edge_bleed/edge_bleed.xml" frame_bench_definition_text)
string(REPLACE "name=\"Edge Bleed\"" "name=\"Edge Bleed frame bench\"" frame_bench_definition_text
       "${frame_bench_definition_text}")
file(WRITE "${frame_bench_xml}" "${frame_bench_definition_text}")
eb_embed_definition(frame_bench_definition "${frame_bench_xml}")
eb_add_effect_bundle(frame_bench_bundle
  BUNDLE_NAME frame_bench
  IDENTIFIER frame_bench
  DEFINITION_TARGET frame_bench_definition
  OUTPUT_DIR "${CMAKE_CURRENT_BINARY_DIR}/bundles")
target_sources(frame_bench_bundle PRIVATE "${PROJECT_SOURCE_DIR}/tests/render/support/BundleTestHooks.cpp")
target_compile_definitions(frame_bench_bundle PRIVATE RENDER_TEST_BUNDLE="frame_bench")

add_executable(frame_bench ${CMAKE_CURRENT_LIST_DIR}/FrameBench.cpp)
target_link_libraries(frame_bench PRIVATE ofx_host)
set_target_properties(frame_bench PROPERTIES ENABLE_EXPORTS ON)
target_compile_definitions(frame_bench PRIVATE
  FRAME_BENCH_BUNDLE="${CMAKE_CURRENT_BINARY_DIR}/bundles/frame_bench.ofx.bundle")
add_dependencies(frame_bench frame_bench_bundle)
