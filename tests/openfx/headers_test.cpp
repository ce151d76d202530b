// Layout and value checks of the OpenFX C API headers. A host built against the
// published headers hands our plug-in these records and suites, so every size,
// every function's slot and signature, and every string value has to match.
#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "ofxCore.h"
#include "ofxDrawSuite.h"
#include "ofxGPURender.h"
#include "ofxImageEffect.h"
#include "ofxInteract.h"
#include "ofxKeySyms.h"
#include "ofxMemory.h"
#include "ofxMessage.h"
#include "ofxMultiThread.h"
#include "ofxParam.h"
#include "ofxParametricParam.h"
#include "ofxPixels.h"
#include "ofxProperty.h"

#include "tests/openfx/headers_c_layout.h"

namespace {

constexpr std::size_t kPtr = sizeof(void *);

// A suite member sits in slot `index` and has exactly the published type.
#define CHECK_SLOT(Suite, member, index, ...)                                              \
  static_assert(offsetof(Suite, member) == (index) * kPtr, #Suite "::" #member " slot");   \
  static_assert(std::is_same<decltype(Suite::member), __VA_ARGS__>::value, #Suite "::" #member " type")

// x86-64 layouts of the plain records.
static_assert(sizeof(OfxHost) == 16 && offsetof(OfxHost, fetchSuite) == 8, "OfxHost");
static_assert(sizeof(OfxPlugin) == 48, "OfxPlugin size");
static_assert(offsetof(OfxPlugin, pluginApi) == 0 && offsetof(OfxPlugin, apiVersion) == 8 &&
                  offsetof(OfxPlugin, pluginIdentifier) == 16 && offsetof(OfxPlugin, pluginVersionMajor) == 24 &&
                  offsetof(OfxPlugin, pluginVersionMinor) == 28 && offsetof(OfxPlugin, setHost) == 32 &&
                  offsetof(OfxPlugin, mainEntry) == 40,
              "OfxPlugin fields");
static_assert(std::is_same<decltype(OfxPlugin::setHost), void (*)(OfxHost *)>::value, "setHost");
static_assert(std::is_same<decltype(OfxPlugin::mainEntry),
                           OfxStatus (*)(const char *, const void *, OfxPropertySetHandle, OfxPropertySetHandle)>::value,
              "mainEntry");
static_assert(std::is_same<decltype(OfxHost::fetchSuite),
                           const void *(*)(OfxPropertySetHandle, const char *, int)>::value,
              "fetchSuite");
static_assert(sizeof(OfxRectI) == 16 && offsetof(OfxRectI, y2) == 12, "OfxRectI");
static_assert(sizeof(OfxRectD) == 32 && offsetof(OfxRectD, x2) == 16, "OfxRectD");
static_assert(sizeof(OfxPointI) == 8 && sizeof(OfxPointD) == 16, "points");
static_assert(sizeof(OfxRangeI) == 8 && sizeof(OfxRangeD) == 16, "ranges");
static_assert(sizeof(OfxRGBAColourB) == 4 && sizeof(OfxRGBAColourS) == 8 && sizeof(OfxRGBAColourF) == 16 &&
                  sizeof(OfxRGBAColourD) == 32,
              "RGBA colours");
static_assert(offsetof(OfxRGBAColourF, a) == 12, "OfxRGBAColourF alpha");
static_assert(sizeof(OfxRGBColourB) == 3 && sizeof(OfxRGBColourF) == 12 && sizeof(OfxRGBColourD) == 24,
              "RGB colours");
static_assert(std::is_same<OfxTime, double>::value && std::is_same<OfxStatus, int>::value, "scalar types");

using PS = OfxPropertySetHandle;
using CStr = const char *;
CHECK_SLOT(OfxPropertySuiteV1, propSetPointer, 0, OfxStatus (*)(PS, CStr, int, void *));
CHECK_SLOT(OfxPropertySuiteV1, propSetString, 1, OfxStatus (*)(PS, CStr, int, CStr));
CHECK_SLOT(OfxPropertySuiteV1, propSetDouble, 2, OfxStatus (*)(PS, CStr, int, double));
CHECK_SLOT(OfxPropertySuiteV1, propSetInt, 3, OfxStatus (*)(PS, CStr, int, int));
CHECK_SLOT(OfxPropertySuiteV1, propSetPointerN, 4, OfxStatus (*)(PS, CStr, int, void *const *));
CHECK_SLOT(OfxPropertySuiteV1, propSetStringN, 5, OfxStatus (*)(PS, CStr, int, const char *const *));
CHECK_SLOT(OfxPropertySuiteV1, propSetDoubleN, 6, OfxStatus (*)(PS, CStr, int, const double *));
CHECK_SLOT(OfxPropertySuiteV1, propSetIntN, 7, OfxStatus (*)(PS, CStr, int, const int *));
CHECK_SLOT(OfxPropertySuiteV1, propGetPointer, 8, OfxStatus (*)(PS, CStr, int, void **));
CHECK_SLOT(OfxPropertySuiteV1, propGetString, 9, OfxStatus (*)(PS, CStr, int, char **));
CHECK_SLOT(OfxPropertySuiteV1, propGetDouble, 10, OfxStatus (*)(PS, CStr, int, double *));
CHECK_SLOT(OfxPropertySuiteV1, propGetInt, 11, OfxStatus (*)(PS, CStr, int, int *));
CHECK_SLOT(OfxPropertySuiteV1, propGetPointerN, 12, OfxStatus (*)(PS, CStr, int, void **));
CHECK_SLOT(OfxPropertySuiteV1, propGetStringN, 13, OfxStatus (*)(PS, CStr, int, char **));
CHECK_SLOT(OfxPropertySuiteV1, propGetDoubleN, 14, OfxStatus (*)(PS, CStr, int, double *));
CHECK_SLOT(OfxPropertySuiteV1, propGetIntN, 15, OfxStatus (*)(PS, CStr, int, int *));
CHECK_SLOT(OfxPropertySuiteV1, propReset, 16, OfxStatus (*)(PS, CStr));
CHECK_SLOT(OfxPropertySuiteV1, propGetDimension, 17, OfxStatus (*)(PS, CStr, int *));
static_assert(sizeof(OfxPropertySuiteV1) == 18 * kPtr, "property suite size");

using FX = OfxImageEffectHandle;
using Clip = OfxImageClipHandle;
using Mem = OfxImageMemoryHandle;
CHECK_SLOT(OfxImageEffectSuiteV1, getPropertySet, 0, OfxStatus (*)(FX, PS *));
CHECK_SLOT(OfxImageEffectSuiteV1, getParamSet, 1, OfxStatus (*)(FX, OfxParamSetHandle *));
CHECK_SLOT(OfxImageEffectSuiteV1, clipDefine, 2, OfxStatus (*)(FX, CStr, PS *));
CHECK_SLOT(OfxImageEffectSuiteV1, clipGetHandle, 3, OfxStatus (*)(FX, CStr, Clip *, PS *));
CHECK_SLOT(OfxImageEffectSuiteV1, clipGetPropertySet, 4, OfxStatus (*)(Clip, PS *));
CHECK_SLOT(OfxImageEffectSuiteV1, clipGetImage, 5, OfxStatus (*)(Clip, OfxTime, const OfxRectD *, PS *));
CHECK_SLOT(OfxImageEffectSuiteV1, clipReleaseImage, 6, OfxStatus (*)(PS));
CHECK_SLOT(OfxImageEffectSuiteV1, clipGetRegionOfDefinition, 7, OfxStatus (*)(Clip, OfxTime, OfxRectD *));
CHECK_SLOT(OfxImageEffectSuiteV1, abort, 8, int (*)(FX));
CHECK_SLOT(OfxImageEffectSuiteV1, imageMemoryAlloc, 9, OfxStatus (*)(FX, size_t, Mem *));
CHECK_SLOT(OfxImageEffectSuiteV1, imageMemoryFree, 10, OfxStatus (*)(Mem));
CHECK_SLOT(OfxImageEffectSuiteV1, imageMemoryLock, 11, OfxStatus (*)(Mem, void **));
CHECK_SLOT(OfxImageEffectSuiteV1, imageMemoryUnlock, 12, OfxStatus (*)(Mem));
static_assert(sizeof(OfxImageEffectSuiteV1) == 13 * kPtr, "image effect suite size");

using PSet = OfxParamSetHandle;
using P = OfxParamHandle;
CHECK_SLOT(OfxParameterSuiteV1, paramDefine, 0, OfxStatus (*)(PSet, CStr, CStr, PS *));
CHECK_SLOT(OfxParameterSuiteV1, paramGetHandle, 1, OfxStatus (*)(PSet, CStr, P *, PS *));
CHECK_SLOT(OfxParameterSuiteV1, paramSetGetPropertySet, 2, OfxStatus (*)(PSet, PS *));
CHECK_SLOT(OfxParameterSuiteV1, paramGetPropertySet, 3, OfxStatus (*)(P, PS *));
CHECK_SLOT(OfxParameterSuiteV1, paramGetValue, 4, OfxStatus (*)(P, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramGetValueAtTime, 5, OfxStatus (*)(P, OfxTime, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramGetDerivative, 6, OfxStatus (*)(P, OfxTime, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramGetIntegral, 7, OfxStatus (*)(P, OfxTime, OfxTime, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramSetValue, 8, OfxStatus (*)(P, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramSetValueAtTime, 9, OfxStatus (*)(P, OfxTime, ...));
CHECK_SLOT(OfxParameterSuiteV1, paramGetNumKeys, 10, OfxStatus (*)(P, unsigned int *));
CHECK_SLOT(OfxParameterSuiteV1, paramGetKeyTime, 11, OfxStatus (*)(P, unsigned int, OfxTime *));
CHECK_SLOT(OfxParameterSuiteV1, paramGetKeyIndex, 12, OfxStatus (*)(P, OfxTime, int, int *));
CHECK_SLOT(OfxParameterSuiteV1, paramDeleteKey, 13, OfxStatus (*)(P, OfxTime));
CHECK_SLOT(OfxParameterSuiteV1, paramDeleteAllKeys, 14, OfxStatus (*)(P));
CHECK_SLOT(OfxParameterSuiteV1, paramCopy, 15, OfxStatus (*)(P, P, OfxTime, const OfxRangeD *));
CHECK_SLOT(OfxParameterSuiteV1, paramEditBegin, 16, OfxStatus (*)(PSet, CStr));
CHECK_SLOT(OfxParameterSuiteV1, paramEditEnd, 17, OfxStatus (*)(PSet));
static_assert(sizeof(OfxParameterSuiteV1) == 18 * kPtr, "parameter suite size");

CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamGetValue, 0, OfxStatus (*)(P, int, OfxTime, double, double *));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamGetNControlPoints, 1, OfxStatus (*)(P, int, double, int *));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamGetNthControlPoint, 2,
           OfxStatus (*)(P, int, double, int, double *, double *));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamSetNthControlPoint, 3,
           OfxStatus (*)(P, int, double, int, double, double, bool));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamAddControlPoint, 4,
           OfxStatus (*)(P, int, double, double, double, bool));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamDeleteControlPoint, 5, OfxStatus (*)(P, int, int));
CHECK_SLOT(OfxParametricParameterSuiteV1, parametricParamDeleteAllControlPoints, 6, OfxStatus (*)(P, int));
static_assert(sizeof(OfxParametricParameterSuiteV1) == 7 * kPtr, "parametric suite size");

CHECK_SLOT(OfxMemorySuiteV1, memoryAlloc, 0, OfxStatus (*)(void *, size_t, void **));
CHECK_SLOT(OfxMemorySuiteV1, memoryFree, 1, OfxStatus (*)(void *));
static_assert(sizeof(OfxMemorySuiteV1) == 2 * kPtr, "memory suite size");

using Mx = OfxMutexHandle;
CHECK_SLOT(OfxMultiThreadSuiteV1, multiThread, 0,
           OfxStatus (*)(void (*)(unsigned int, unsigned int, void *), unsigned int, void *));
CHECK_SLOT(OfxMultiThreadSuiteV1, multiThreadNumCPUs, 1, OfxStatus (*)(unsigned int *));
CHECK_SLOT(OfxMultiThreadSuiteV1, multiThreadIndex, 2, OfxStatus (*)(unsigned int *));
CHECK_SLOT(OfxMultiThreadSuiteV1, multiThreadIsSpawnedThread, 3, int (*)(void));
CHECK_SLOT(OfxMultiThreadSuiteV1, mutexCreate, 4, OfxStatus (*)(Mx *, int));
CHECK_SLOT(OfxMultiThreadSuiteV1, mutexDestroy, 5, OfxStatus (*)(const Mx));
CHECK_SLOT(OfxMultiThreadSuiteV1, mutexLock, 6, OfxStatus (*)(const Mx));
CHECK_SLOT(OfxMultiThreadSuiteV1, mutexUnLock, 7, OfxStatus (*)(const Mx));
CHECK_SLOT(OfxMultiThreadSuiteV1, mutexTryLock, 8, OfxStatus (*)(const Mx));
static_assert(sizeof(OfxMultiThreadSuiteV1) == 9 * kPtr, "multi-thread suite size");

CHECK_SLOT(OfxMessageSuiteV1, message, 0, OfxStatus (*)(void *, CStr, CStr, CStr, ...));
static_assert(sizeof(OfxMessageSuiteV1) == kPtr, "message suite V1 size");
CHECK_SLOT(OfxMessageSuiteV2, message, 0, OfxStatus (*)(void *, CStr, CStr, CStr, ...));
CHECK_SLOT(OfxMessageSuiteV2, setPersistentMessage, 1, OfxStatus (*)(void *, CStr, CStr, CStr, ...));
CHECK_SLOT(OfxMessageSuiteV2, clearPersistentMessage, 2, OfxStatus (*)(void *));
static_assert(sizeof(OfxMessageSuiteV2) == 3 * kPtr, "message suite V2 size");

using IH = OfxInteractHandle;
CHECK_SLOT(OfxInteractSuiteV1, interactSwapBuffers, 0, OfxStatus (*)(IH));
CHECK_SLOT(OfxInteractSuiteV1, interactRedraw, 1, OfxStatus (*)(IH));
CHECK_SLOT(OfxInteractSuiteV1, interactGetPropertySet, 2, OfxStatus (*)(IH, PS *));
static_assert(sizeof(OfxInteractSuiteV1) == 3 * kPtr, "interact suite size");

using DC = OfxDrawContextHandle;
CHECK_SLOT(OfxDrawSuiteV1, getColour, 0, OfxStatus (*)(DC, OfxStandardColour, OfxRGBAColourF *));
CHECK_SLOT(OfxDrawSuiteV1, setColour, 1, OfxStatus (*)(DC, const OfxRGBAColourF *));
CHECK_SLOT(OfxDrawSuiteV1, setLineWidth, 2, OfxStatus (*)(DC, float));
CHECK_SLOT(OfxDrawSuiteV1, setLineStipple, 3, OfxStatus (*)(DC, OfxDrawLineStipplePattern));
CHECK_SLOT(OfxDrawSuiteV1, draw, 4, OfxStatus (*)(DC, OfxDrawPrimitive, const OfxPointD *, int));
CHECK_SLOT(OfxDrawSuiteV1, drawText, 5, OfxStatus (*)(DC, CStr, const OfxPointD *, int));
static_assert(sizeof(OfxDrawSuiteV1) == 6 * kPtr, "draw suite size");
static_assert(sizeof(OfxDrawPrimitive) == sizeof(int), "draw enums are int sized");

CHECK_SLOT(OfxImageEffectOpenGLRenderSuiteV1, clipLoadTexture, 0,
           OfxStatus (*)(Clip, OfxTime, CStr, const OfxRectD *, PS *));
CHECK_SLOT(OfxImageEffectOpenGLRenderSuiteV1, clipFreeTexture, 1, OfxStatus (*)(PS));
CHECK_SLOT(OfxImageEffectOpenGLRenderSuiteV1, flushResources, 2, OfxStatus (*)(void));

TEST(OfxHeaders, CAndCppAgreeOnEveryLayout) {
  const std::map<std::string, std::size_t> cpp = {
      {"OfxHost", sizeof(OfxHost)},
      {"OfxPlugin", sizeof(OfxPlugin)},
      {"OfxRectI", sizeof(OfxRectI)},
      {"OfxRectD", sizeof(OfxRectD)},
      {"OfxPointI", sizeof(OfxPointI)},
      {"OfxPointD", sizeof(OfxPointD)},
      {"OfxRangeI", sizeof(OfxRangeI)},
      {"OfxRangeD", sizeof(OfxRangeD)},
      {"OfxRGBAColourF", sizeof(OfxRGBAColourF)},
      {"OfxRGBAColourB", sizeof(OfxRGBAColourB)},
      {"OfxRGBColourD", sizeof(OfxRGBColourD)},
      {"OfxPropertySuiteV1", sizeof(OfxPropertySuiteV1)},
      {"OfxImageEffectSuiteV1", sizeof(OfxImageEffectSuiteV1)},
      {"OfxParameterSuiteV1", sizeof(OfxParameterSuiteV1)},
      {"OfxParametricParameterSuiteV1", sizeof(OfxParametricParameterSuiteV1)},
      {"OfxMemorySuiteV1", sizeof(OfxMemorySuiteV1)},
      {"OfxMultiThreadSuiteV1", sizeof(OfxMultiThreadSuiteV1)},
      {"OfxMessageSuiteV1", sizeof(OfxMessageSuiteV1)},
      {"OfxMessageSuiteV2", sizeof(OfxMessageSuiteV2)},
      {"OfxInteractSuiteV1", sizeof(OfxInteractSuiteV1)},
      {"OfxDrawSuiteV1", sizeof(OfxDrawSuiteV1)},
      {"OfxImageEffectOpenGLRenderSuiteV1", sizeof(OfxImageEffectOpenGLRenderSuiteV1)},
      {"OfxDrawPrimitive", sizeof(OfxDrawPrimitive)},
  };
  std::size_t count = 0;
  const OfxCLayout *layouts = ofx_c_layouts(&count);
  ASSERT_EQ(count, cpp.size());
  for (std::size_t i = 0; i < count; ++i) {
    auto it = cpp.find(layouts[i].name);
    ASSERT_NE(it, cpp.end()) << layouts[i].name;
    EXPECT_EQ(layouts[i].size, it->second) << layouts[i].name;
  }
  EXPECT_EQ(ofx_c_plugin_main_entry_offset(), offsetof(OfxPlugin, mainEntry));
  EXPECT_EQ(ofx_c_draw_text_offset(), offsetof(OfxDrawSuiteV1, drawText));
  EXPECT_EQ(ofx_c_param_edit_end_offset(), offsetof(OfxParameterSuiteV1, paramEditEnd));
}

TEST(OfxHeaders, StatusCodes) {
  const int codes[] = {kOfxStatOK,           kOfxStatFailed,     kOfxStatErrFatal,
                       kOfxStatErrUnknown,   kOfxStatErrMissingHostFeature, kOfxStatErrUnsupported,
                       kOfxStatErrExists,    kOfxStatErrFormat,  kOfxStatErrMemory,
                       kOfxStatErrBadHandle, kOfxStatErrBadIndex, kOfxStatErrValue,
                       kOfxStatReplyYes,     kOfxStatReplyNo,    kOfxStatReplyDefault};
  for (int i = 0; i < static_cast<int>(sizeof(codes) / sizeof(codes[0])); ++i) EXPECT_EQ(codes[i], i);
}

struct NamedValue {
  const char *macro;
  const char *value;
  const char *published;
};

#define NV(macro, published) {#macro, macro, published}

// Published values, including the names whose values keep a "k" prefix or differ from the macro name.
const NamedValue kValues[] = {
    NV(kOfxActionLoad, "OfxActionLoad"),
    NV(kOfxActionDescribe, "OfxActionDescribe"),
    NV(kOfxActionCreateInstance, "OfxActionCreateInstance"),
    NV(kOfxActionInstanceChanged, "OfxActionInstanceChanged"),
    NV(kOfxActionBeginInstanceChanged, "OfxActionBeginInstanceChanged"),
    NV(kOfxImageEffectActionDescribeInContext, "OfxImageEffectActionDescribeInContext"),
    NV(kOfxImageEffectActionRender, "OfxImageEffectActionRender"),
    NV(kOfxImageEffectActionIsIdentity, "OfxImageEffectActionIsIdentity"),
    NV(kOfxImageEffectPluginApi, "OfxImageEffectPluginAPI"),
    NV(kOfxImageEffectContextFilter, "OfxImageEffectContextFilter"),
    NV(kOfxImageEffectContextGeneral, "OfxImageEffectContextGeneral"),
    NV(kOfxImageEffectOutputClipName, "Output"),
    NV(kOfxImageEffectSimpleSourceClipName, "Source"),
    NV(kOfxImagePreMultiplied, "OfxImageAlphaPremultiplied"),
    NV(kOfxImageUnPreMultiplied, "OfxImageAlphaUnPremultiplied"),
    NV(kOfxImageFieldNone, "OfxFieldNone"),
    NV(kOfxImageFieldBoth, "OfxFieldBoth"),
    NV(kOfxImageEffectPropProjectPixelAspectRatio, "OfxImageEffectPropPixelAspectRatio"),
    NV(kOfxHostNativeOriginBottomLeft, "kOfxImageEffectHostPropNativeOriginBottomLeft"),
    NV(kOfxParamPropCustomInterpCallbackV1, "OfxParamPropCustomCallbackV1"),
    NV(kOfxParamPropPersistant, "OfxParamPropPersistant"),
    NV(kOfxParamPropInteractPreferedSize, "OfxParamPropInteractPreferedSize"),
    NV(kOfxParamTypeParametric, "OfxParamTypeParametric"),
    NV(kOfxInteractPropViewportSize, "OfxInteractPropViewport"),
    NV(kOfxInteractPropDrawContext, "OfxInteractPropDrawContext"),
    NV(kOfxPropKeySym, "kOfxPropKeySym"),
    NV(kOfxPropKeyString, "kOfxPropKeyString"),
    NV(kOfxActionOpenGLContextDetached, "kOfxActionOpenGLContextDetached"),
    NV(kOfxImageEffectPropCudaRenderSupported, "OfxImageEffectPropCudaRenderSupported"),
    NV(kOfxImageEffectPropCudaEnabled, "OfxImageEffectPropCudaEnabled"),
    NV(kOfxImageEffectPropCudaStream, "OfxImageEffectPropCudaStream"),
    NV(kOfxImageEffectPropCudaStreamSupported, "OfxImageEffectPropCudaStreamSupported"),
    NV(kOfxImageEffectPropOpenCLRenderSupported, "OfxImageEffectPropOpenCLRenderSupported"),
    NV(kOfxImageEffectPropMetalCommandQueue, "OfxImageEffectPropMetalCommandQueue"),
    NV(kOfxPropertySuite, "OfxPropertySuite"),
    NV(kOfxImageEffectSuite, "OfxImageEffectSuite"),
    NV(kOfxParameterSuite, "OfxParameterSuite"),
    NV(kOfxParametricParameterSuite, "OfxParametricParameterSuite"),
    NV(kOfxMemorySuite, "OfxMemorySuite"),
    NV(kOfxMultiThreadSuite, "OfxMultiThreadSuite"),
    NV(kOfxMessageSuite, "OfxMessageSuite"),
    NV(kOfxInteractSuite, "OfxInteractSuite"),
    NV(kOfxDrawSuite, "OfxDrawSuite"),
    NV(kOfxOpenGLRenderSuite, "OfxImageEffectOpenGLRenderSuite"),
};

TEST(OfxHeaders, PublishedStringValues) {
  for (const NamedValue &v : kValues) EXPECT_STREQ(v.value, v.published) << v.macro;
}

TEST(OfxHeaders, DrawEnumsKeepPublishedNumbering) {
  EXPECT_EQ(kOfxDrawPrimitiveLines, 0);
  EXPECT_EQ(kOfxDrawPrimitiveEllipse, 5);
  EXPECT_EQ(kOfxStandardColourOverlayText, 6);
  EXPECT_EQ(kOfxDrawLineStipplePatternDotDash, 4);
  EXPECT_EQ(kOfxDrawTextAlignmentCenterH, 3);
  EXPECT_EQ(kOfxDrawTextAlignmentCenterV, 0x14);
  EXPECT_EQ(kOfxImageEffectPluginApiVersion, 1);
  EXPECT_EQ(kOfxFlagInfiniteMax, INT_MAX);
}

}  // namespace
