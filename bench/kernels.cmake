# The Edge Bleed kernels: every pass kind and a whole frame's passes, on the host backend at
# 1920x1080 and 3840x2160 (all cores), and on CUDA when a device is present at run time.
add_executable(bench_kernels
  ${CMAKE_CURRENT_LIST_DIR}/KernelsBench.cpp
  ${PROJECT_SOURCE_DIR}/tests/edge_bleed/support/KernelRig.cpp
)
target_link_libraries(bench_kernels PRIVATE eb_kernel_registry eb_edge_bleed_kernels eb_edge_bleed_definition
                      eb_gpu_runtime benchmark::benchmark)
if(TARGET eb_gpu_buffers)
  # The framework's final blend pass joins the whole-frame figure.
  target_link_libraries(bench_kernels PRIVATE eb_gpu_buffers)
  target_compile_definitions(bench_kernels PRIVATE EB_BENCH_WITH_FINAL_PASS=1)
endif()
