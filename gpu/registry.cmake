# The kernel parameter blocks (header only) and the kernel registry with its dispatch for the
# CUDA and host backends.

add_library(eb_gpu_blocks INTERFACE)
target_sources(eb_gpu_blocks INTERFACE ${CMAKE_CURRENT_LIST_DIR}/KernelParameters.h)

add_library(eb_kernel_registry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/KernelRegistry.cpp
)
# eb_edge_bleed_kernels is declared later (effects/edge_bleed); CMake resolves it by name.
target_link_libraries(eb_kernel_registry PUBLIC eb_gpu_blocks eb_gpu_runtime eb_definition eb_logger
                      eb_edge_bleed_kernels)
