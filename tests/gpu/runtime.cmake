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
