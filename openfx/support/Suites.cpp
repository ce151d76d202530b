#include "openfx/support/Suites.h"

#include "openfx/support/Exception.h"

namespace OFX {
namespace Private {

OfxHost* gHost = nullptr;
const OfxPropertySuiteV1* gPropSuite = nullptr;
const OfxImageEffectSuiteV1* gEffectSuite = nullptr;
const OfxParameterSuiteV1* gParamSuite = nullptr;
const OfxParametricParameterSuiteV1* gParametricParamSuite = nullptr;
const OfxMultiThreadSuiteV1* gThreadSuite = nullptr;
const OfxInteractSuiteV1* gInteractSuite = nullptr;
const OfxDrawSuiteV1* gDrawSuite = nullptr;

namespace {

template <typename Suite>
const Suite* fetch(OfxHost* host, const char* name, int version) {
  if (host == nullptr || host->fetchSuite == nullptr) return nullptr;
  return static_cast<const Suite*>(host->fetchSuite(host->host, name, version));
}

}  // namespace

void setHost(OfxHost* host) {
  gHost = host;
  gPropSuite = fetch<OfxPropertySuiteV1>(host, kOfxPropertySuite, 1);
  gEffectSuite = fetch<OfxImageEffectSuiteV1>(host, kOfxImageEffectSuite, 1);
  gParamSuite = fetch<OfxParameterSuiteV1>(host, kOfxParameterSuite, 1);
  gParametricParamSuite = fetch<OfxParametricParameterSuiteV1>(host, kOfxParametricParameterSuite, 1);
  gThreadSuite = fetch<OfxMultiThreadSuiteV1>(host, kOfxMultiThreadSuite, 1);
  gInteractSuite = fetch<OfxInteractSuiteV1>(host, kOfxInteractSuite, 1);
  gDrawSuite = fetch<OfxDrawSuiteV1>(host, kOfxDrawSuite, 1);
}

void checkRequiredSuites() {
  propSuite();
  effectSuite();
  paramSuite();
}

const OfxPropertySuiteV1& propSuite() {
  if (gPropSuite == nullptr) throwHostMissingSuiteException(kOfxPropertySuite);
  return *gPropSuite;
}

const OfxImageEffectSuiteV1& effectSuite() {
  if (gEffectSuite == nullptr) throwHostMissingSuiteException(kOfxImageEffectSuite);
  return *gEffectSuite;
}

const OfxParameterSuiteV1& paramSuite() {
  if (gParamSuite == nullptr) throwHostMissingSuiteException(kOfxParameterSuite);
  return *gParamSuite;
}

}  // namespace Private

const OfxDrawSuiteV1* getDrawSuite() { return Private::gDrawSuite; }

}  // namespace OFX
