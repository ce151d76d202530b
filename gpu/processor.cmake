# The generic processor: the per-pass parameter block builders, the pass loop and the OpenFX
# image processor that runs them on the CUDA or the host backend.

add_library(eb_gpu_processor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/KernelParameterBuilders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KernelPassLoop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxProcessorEffectAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GenericProcessor.cpp
)
# eb_parameter_value and openfx_support are declared in other folders; CMake resolves them by name.
target_link_libraries(eb_gpu_processor PUBLIC eb_kernel_registry eb_gpu_buffers eb_gpu_runtime eb_definition
                      eb_parameter_value eb_logger openfx_support)
