#ifndef OFX_GPU_RENDER_H
#define OFX_GPU_RENDER_H
/*
 * GPU rendering: OpenGL texture exchange, and the CUDA, OpenCL and Metal
 * render modes in which the host hands over device memory images and its
 * stream or command queue.
 */

#include "ofxCore.h"
#include "ofxImageEffect.h"

#ifdef __cplusplus
extern "C" {
#endif

/* OpenGL. */
#define kOfxOpenGLRenderSuite "OfxImageEffectOpenGLRenderSuite"
#define kOfxImageEffectPropOpenGLRenderSupported "OfxImageEffectPropOpenGLRenderSupported"
#define kOfxOpenGLPropPixelDepth "OfxOpenGLPropPixelDepth"
#define kOfxImageEffectPropOpenGLEnabled "OfxImageEffectPropOpenGLEnabled"
#define kOfxImageEffectPropOpenGLTextureIndex "OfxImageEffectPropOpenGLTextureIndex"
#define kOfxImageEffectPropOpenGLTextureTarget "OfxImageEffectPropOpenGLTextureTarget"
#define kOfxActionOpenGLContextAttached "OfxActionOpenGLContextAttached"
/* The published value of this action keeps its "k" prefix. */
#define kOfxActionOpenGLContextDetached "kOfxActionOpenGLContextDetached"

typedef struct OfxImageEffectOpenGLRenderSuiteV1 {
  OfxStatus (*clipLoadTexture)(OfxImageClipHandle clip, OfxTime time, const char *format, const OfxRectD *region,
                               OfxPropertySetHandle *textureHandle);
  OfxStatus (*clipFreeTexture)(OfxPropertySetHandle textureHandle);
  OfxStatus (*flushResources)(void);
} OfxImageEffectOpenGLRenderSuiteV1;

/* CUDA: render support is a string, "false", "true" or "needed"; the enabled flag is an int. */
#define kOfxImageEffectPropCudaRenderSupported "OfxImageEffectPropCudaRenderSupported"
#define kOfxImageEffectPropCudaEnabled "OfxImageEffectPropCudaEnabled"
#define kOfxImageEffectPropCudaStreamSupported "OfxImageEffectPropCudaStreamSupported"
#define kOfxImageEffectPropCudaStream "OfxImageEffectPropCudaStream"

/* Metal. */
#define kOfxImageEffectPropMetalRenderSupported "OfxImageEffectPropMetalRenderSupported"
#define kOfxImageEffectPropMetalEnabled "OfxImageEffectPropMetalEnabled"
#define kOfxImageEffectPropMetalCommandQueue "OfxImageEffectPropMetalCommandQueue"

/* OpenCL. */
#define kOfxImageEffectPropOpenCLRenderSupported "OfxImageEffectPropOpenCLRenderSupported"
#define kOfxImageEffectPropOpenCLSupported "OfxImageEffectPropOpenCLSupported"
#define kOfxImageEffectPropOpenCLEnabled "OfxImageEffectPropOpenCLEnabled"
#define kOfxImageEffectPropOpenCLCommandQueue "OfxImageEffectPropOpenCLCommandQueue"
#define kOfxImageEffectPropOpenCLImage "OfxImageEffectPropOpenCLImage"
#define kOfxOpenCLProgramSuite "OfxOpenCLProgramSuite"

typedef struct OfxOpenCLProgramSuiteV1 {
  OfxStatus (*compileProgram)(const char *pszProgramSource, int fOptional, void *pResult);
} OfxOpenCLProgramSuiteV1;

#ifdef __cplusplus
}
#endif

#endif /* OFX_GPU_RENDER_H */
