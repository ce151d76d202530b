#pragma once
// The host record and the suites fetched from it. Filled when the host calls
// setHost and refreshed on the load action; read by every wrapper class.

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxDrawSuite.h"
#include "openfx/include/ofxImageEffect.h"
#include "openfx/include/ofxInteract.h"
#include "openfx/include/ofxMultiThread.h"
#include "openfx/include/ofxParam.h"
#include "openfx/include/ofxParametricParam.h"
#include "openfx/include/ofxProperty.h"

namespace OFX {

// The host's draw suite for overlay drawing, or null when the host has none.
const OfxDrawSuiteV1* getDrawSuite();

namespace Private {

extern OfxHost* gHost;
extern const OfxPropertySuiteV1* gPropSuite;
extern const OfxImageEffectSuiteV1* gEffectSuite;
extern const OfxParameterSuiteV1* gParamSuite;
extern const OfxParametricParameterSuiteV1* gParametricParamSuite;
extern const OfxMultiThreadSuiteV1* gThreadSuite;
extern const OfxInteractSuiteV1* gInteractSuite;
extern const OfxDrawSuiteV1* gDrawSuite;

// Stores the host and fetches every suite the library uses; a suite the host
// does not offer stays null. A null host clears everything.
void setHost(OfxHost* host);

// Throws Exception::HostInadequate unless the property, image-effect and
// parameter suites are present: without them no action can be served.
void checkRequiredSuites();

// The three required suites, throwing Exception::HostInadequate when absent.
const OfxPropertySuiteV1& propSuite();
const OfxImageEffectSuiteV1& effectSuite();
const OfxParameterSuiteV1& paramSuite();

}  // namespace Private
}  // namespace OFX
