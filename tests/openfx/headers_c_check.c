/* Compiles every OpenFX header as C and reports the layouts the C compiler gives them,
 * so the C++ test can check that both languages agree on every record and suite. */
#include <stddef.h>

#include "ofxCore.h"
#include "ofxDrawSuite.h"
#include "ofxGPURender.h"
#include "ofxImageEffect.h"
#include "ofxInteract.h"
#include "ofxKeySyms.h"
#include "ofxMemory.h"
#include "ofxMessage.h"
#include "ofxMultiThread.h"
#include "ofxOpenGLRender.h"
#include "ofxParam.h"
#include "ofxParametricParam.h"
#include "ofxPixels.h"
#include "ofxProperty.h"

#include "headers_c_layout.h"

#define LAYOUT(type) {#type, sizeof(type)}

static const OfxCLayout kLayouts[] = {
    LAYOUT(OfxHost),
    LAYOUT(OfxPlugin),
    LAYOUT(OfxRectI),
    LAYOUT(OfxRectD),
    LAYOUT(OfxPointI),
    LAYOUT(OfxPointD),
    LAYOUT(OfxRangeI),
    LAYOUT(OfxRangeD),
    LAYOUT(OfxRGBAColourF),
    LAYOUT(OfxRGBAColourB),
    LAYOUT(OfxRGBColourD),
    LAYOUT(OfxPropertySuiteV1),
    LAYOUT(OfxImageEffectSuiteV1),
    LAYOUT(OfxParameterSuiteV1),
    LAYOUT(OfxParametricParameterSuiteV1),
    LAYOUT(OfxMemorySuiteV1),
    LAYOUT(OfxMultiThreadSuiteV1),
    LAYOUT(OfxMessageSuiteV1),
    LAYOUT(OfxMessageSuiteV2),
    LAYOUT(OfxInteractSuiteV1),
    LAYOUT(OfxDrawSuiteV1),
    LAYOUT(OfxImageEffectOpenGLRenderSuiteV1),
    LAYOUT(OfxDrawPrimitive),
};

const OfxCLayout *ofx_c_layouts(size_t *count) {
  *count = sizeof(kLayouts) / sizeof(kLayouts[0]);
  return kLayouts;
}

size_t ofx_c_plugin_main_entry_offset(void) { return offsetof(OfxPlugin, mainEntry); }
size_t ofx_c_draw_text_offset(void) { return offsetof(OfxDrawSuiteV1, drawText); }
size_t ofx_c_param_edit_end_offset(void) { return offsetof(OfxParameterSuiteV1, paramEditEnd); }
