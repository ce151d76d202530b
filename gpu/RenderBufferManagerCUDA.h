#pragma once
// Stateless helpers that make every GPU call of RenderBufferManager, on the runtime passed
// first (CUDA or host backend). Each returns bool, logs failures with the runtime's error
// text and never throws.

#include "gpu/runtime/Runtime.h"

struct SystemParameters;

namespace RenderBufferManagerCUDA {

// Creates, in this order, bufferA, bufferB (linear, width*height*16 bytes), arrayA, arrayB
// (float4, surface load/store), textureA, textureB (clamp, linear, element type,
// normalised), surfaceA, surfaceB. On the first failure everything created so far is
// released and false returned; the outputs are written only on success. stream and
// dstImgBuffer are not used.
bool initialize(gpu::Runtime& runtime, float** bufferA, float** bufferB, unsigned long long* textureA,
                unsigned long long* textureB, unsigned long long* surfaceA, unsigned long long* surfaceB,
                cudaArray** arrayA, cudaArray** arrayB, void* stream, int width, int height, void* dstImgBuffer,
                int totalPasses);

// Device-to-device 2D copy of the whole array into dst (pitch dstPitch; width*16 bytes per
// row written), then a stream synchronisation.
bool copyArrayToBuffer(gpu::Runtime& runtime, CUstream_st* stream, cudaArray* array, float* dst, int width, int height,
                       int dstPitch);

// The mirror copy from src (pitch srcPitch) into the array, then a stream synchronisation.
bool copyBufferToArray(gpu::Runtime& runtime, CUstream_st* stream, float* src, cudaArray* array, int width, int height,
                       int srcPitch);

// The final blend pass: output = globalBlend * output + (1 - globalBlend) * source on the
// colour channels, alpha kept, through temporary arrays and surfaces. True when the
// blended result is back in output. source may be null (no blending).
bool applyFinalProcessing(gpu::Runtime& runtime, CUstream_st* stream, const SystemParameters* systemParameters,
                          float* source, float* output, int width, int height, int sourcePitch, int outputPitch);

// Destroys each non-zero texture and surface object and frees each non-null array and
// buffer: textures, then surfaces, then arrays, then buffers. The bool has no effect.
void cleanup(gpu::Runtime& runtime, float* bufferA, float* bufferB, bool, unsigned long long textureA,
             unsigned long long textureB, unsigned long long surfaceA, unsigned long long surfaceB, cudaArray* arrayA,
             cudaArray* arrayB);

}  // namespace RenderBufferManagerCUDA
