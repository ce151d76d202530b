#ifndef OFX_INTERACT_H
#define OFX_INTERACT_H
/* Interacts: plug-in drawn, pen and key driven controls in the host's viewer or parameter panel. */

#include "ofxCore.h"
#include "ofxProperty.h"
#include "ofxKeySyms.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kOfxInteractSuite "OfxInteractSuite"

typedef struct OfxInteract *OfxInteractHandle;

/* Interact properties. */
#define kOfxInteractPropSlaveToParam "OfxInteractPropSlaveToParam"
#define kOfxInteractPropPixelScale "OfxInteractPropPixelScale"
#define kOfxInteractPropBackgroundColour "OfxInteractPropBackgroundColour"
#define kOfxInteractPropSuggestedColour "OfxInteractPropSuggestedColour"
#define kOfxInteractPropPenPosition "OfxInteractPropPenPosition"
#define kOfxInteractPropPenViewportPosition "OfxInteractPropPenViewportPosition"
#define kOfxInteractPropPenPressure "OfxInteractPropPenPressure"
#define kOfxInteractPropBitDepth "OfxInteractPropBitDepth"
#define kOfxInteractPropHasAlpha "OfxInteractPropHasAlpha"
/* The published value of the viewport size property is the shorter name. */
#define kOfxInteractPropViewportSize "OfxInteractPropViewport"

/* Interact actions (describe, create and destroy instance come from ofxCore.h). */
#define kOfxInteractActionDraw "OfxInteractActionDraw"
#define kOfxInteractActionPenMotion "OfxInteractActionPenMotion"
#define kOfxInteractActionPenDown "OfxInteractActionPenDown"
#define kOfxInteractActionPenUp "OfxInteractActionPenUp"
#define kOfxInteractActionKeyDown "OfxInteractActionKeyDown"
#define kOfxInteractActionKeyUp "OfxInteractActionKeyUp"
#define kOfxInteractActionKeyRepeat "OfxInteractActionKeyRepeat"
#define kOfxInteractActionGainFocus "OfxInteractActionGainFocus"
#define kOfxInteractActionLoseFocus "OfxInteractActionLoseFocus"

typedef struct OfxInteractSuiteV1 {
  OfxStatus (*interactSwapBuffers)(OfxInteractHandle interactInstance);
  OfxStatus (*interactRedraw)(OfxInteractHandle interactInstance);
  OfxStatus (*interactGetPropertySet)(OfxInteractHandle interactInstance, OfxPropertySetHandle *property);
} OfxInteractSuiteV1;

#ifdef __cplusplus
}
#endif

#endif /* OFX_INTERACT_H */
