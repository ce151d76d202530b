# The runtime layer, buffer manager and final pass: host backend always, CUDA when a device
# is present at run time.
add_executable(bench_runtime
  ${CMAKE_CURRENT_LIST_DIR}/RuntimeBench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RuntimeBenchHost.cpp
)
target_link_libraries(bench_runtime PRIVATE eb_gpu_buffers benchmark::benchmark)
if(EDGE_BLEED_HAS_CUDA)
  target_sources(bench_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RuntimeBenchCuda.cu)
  set_target_properties(bench_runtime PROPERTIES CUDA_SEPARABLE_COMPILATION OFF)
endif()
