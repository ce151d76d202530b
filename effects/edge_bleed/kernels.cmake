# The three Edge Bleed kernels with their launchers (eb_edge_bleed_kernels). Each per-pixel
# body is a header compiled by g++ into the host launchers and, with the CUDA backend, by nvcc
# into the .cu units.

add_library(eb_edge_bleed_kernels STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LaunchSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jfa_core_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jfa_blur_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edge_bleed_host.cpp
)
target_link_libraries(eb_edge_bleed_kernels PUBLIC eb_gpu_blocks eb_gpu_runtime eb_logger)
# Both backends must round alike: no contraction into fused multiply-adds behind the code's
# back (the bodies call fmaf where they mean it), no fast-math shortcuts. Square roots skip
# the errno path: no body reads errno, and the rounding is the same.
target_compile_options(eb_edge_bleed_kernels PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:-ffp-contract=off -fno-fast-math -fno-math-errno>
  $<$<COMPILE_LANGUAGE:CUDA>:--fmad=false -prec-div=true -prec-sqrt=true -ftz=false>)

if(EDGE_BLEED_HAS_CUDA)
  target_sources(eb_edge_bleed_kernels PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/jfa_core.cu
    ${CMAKE_CURRENT_LIST_DIR}/jfa_blur.cu
    ${CMAKE_CURRENT_LIST_DIR}/edge_bleed.cu)
  target_compile_definitions(eb_edge_bleed_kernels PUBLIC EDGE_BLEED_KERNELS_HAVE_CUDA=1)
endif()
