# The runtime layer's host backend.
add_executable(gpu_runtime_tests
  ${CMAKE_CURRENT_LIST_DIR}/HostTextureTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostRuntimeTest.cpp
)
target_link_libraries(gpu_runtime_tests PRIVATE eb_gpu_runtime GTest::gtest_main)
gtest_discover_tests(gpu_runtime_tests)

# The render buffer manager and the final blend pass on the host backend.
add_executable(gpu_buffers_tests
  ${CMAKE_CURRENT_LIST_DIR}/RenderBufferManagerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FinalProcessingTest.cpp
)
target_link_libraries(gpu_buffers_tests PRIVATE eb_gpu_buffers GTest::gtest_main)
gtest_discover_tests(gpu_buffers_tests)

# CUDA output against the host backend's, on a machine with a CUDA device (label "gpu");
# without a device every test skips.
if(EDGE_BLEED_HAS_CUDA)
  add_executable(gpu_cuda_compare_tests
    ${CMAKE_CURRENT_LIST_DIR}/CudaCompareTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareKernelsHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareKernels.cu
  )
  target_link_libraries(gpu_cuda_compare_tests PRIVATE eb_gpu_buffers GTest::gtest_main)
  set_target_properties(gpu_cuda_compare_tests PROPERTIES CUDA_SEPARABLE_COMPILATION OFF)
  gtest_discover_tests(gpu_cuda_compare_tests PROPERTIES LABELS gpu)
endif()
