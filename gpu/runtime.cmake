# The GPU runtime layer (host and CUDA backends) and, on top of it, the render buffer manager
# with the final blend pass.

add_library(eb_gpu_runtime STATIC
  ${CMAKE_CURRENT_LIST_DIR}/runtime/HostThreadPool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runtime/HostRuntime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runtime/Runtime.cpp
)
target_link_libraries(eb_gpu_runtime PUBLIC Threads::Threads)
target_link_libraries(eb_gpu_runtime PUBLIC eb_logger)
if(EDGE_BLEED_HAS_CUDA)
  # Every unit that sees the runtime headers must agree on the vector types (DeviceTypes.h),
  # so the definition and CUDA's include path travel with the target.
  target_compile_definitions(eb_gpu_runtime PUBLIC EDGE_BLEED_HAS_CUDA=1)
  target_link_libraries(eb_gpu_runtime PUBLIC CUDA::cudart)
  target_sources(eb_gpu_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/runtime/CudaRuntime.cpp)
endif()

add_library(eb_gpu_buffers STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RenderBufferManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenderBufferManagerCUDA.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FinalProcessingHost.cpp
)
target_link_libraries(eb_gpu_buffers PUBLIC eb_gpu_runtime eb_logger)
if(EDGE_BLEED_HAS_CUDA)
  target_sources(eb_gpu_buffers PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FinalProcessing.cu)
  # Only the explicit fmaf of the blend is fused, on the GPU as on the host.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/FinalProcessing.cu PROPERTIES COMPILE_OPTIONS "--fmad=false")
  set_target_properties(eb_gpu_buffers PROPERTIES CUDA_SEPARABLE_COMPILATION OFF)
endif()
