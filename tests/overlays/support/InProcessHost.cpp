#include "InProcessHost.h"

#include "openfx/support/HostDescription.h"
#include "openfx/support/Suites.h"

#include "ofxDrawSuite.h"
#include "ofxImageEffect.h"
#include "ofxInteract.h"
#include "ofxParam.h"
#include "ofxProperty.h"

#include <cstring>
#include <stdexcept>

namespace overlaytest {

namespace {
InProcessHost* gCurrent = nullptr;
}

InProcessHost::InProcessHost(HostFeatures features) : features_(features)
{
    hostProps_.defineString(kOfxPropName, 1, {"com.lanternkit.overlaytest"});
    hostProps_.defineInt(kOfxImageEffectPropSupportsOverlays, 1, {features.supportsOverlays ? 1 : 0});
    host_.host = hostProps_.handle();
    host_.fetchSuite = &InProcessHost::fetchSuite;
    gCurrent = this;
    OFX::Private::setHost(&host_);
    OFX::Private::loadHostDescription();

    if (features.sourceClip) {
        descriptor_.defineClip("Source");
    }
    descriptor_.defineClip("Output");
    instance_.instantiateFrom(descriptor_, kOfxImageEffectContextFilter);
    instance_.params().setListener(this);
    instance_.setImageProvider(this);
    effect_ = std::make_unique<OFX::ImageEffect>(instance_.handle());
}

InProcessHost::~InProcessHost()
{
    effect_.reset();
    OFX::Private::setHost(nullptr);
    OFX::Private::loadHostDescription();
    gCurrent = nullptr;
}

const void* InProcessHost::fetchSuite(OfxPropertySetHandle, const char* name, int version)
{
    if (version != 1 || gCurrent == nullptr) {
        return nullptr;
    }
    const std::string n = name;
    if (n == kOfxPropertySuite) return ofxhost::propertySuite();
    if (n == kOfxImageEffectSuite) return ofxhost::imageEffectSuite();
    if (n == kOfxParameterSuite) return ofxhost::parameterSuite();
    if (n == kOfxInteractSuite) return ofxhost::interactSuite();
    if (n == kOfxDrawSuite && gCurrent->features_.drawSuite) return ofxhost::drawSuite();
    return nullptr;
}

void InProcessHost::addParam(const char* ofxType, const std::string& name, const std::vector<double>& values)
{
    ofxhost::Param* param = instance_.params().define(ofxType, name);
    if (param == nullptr) {
        throw std::runtime_error("parameter defined twice: " + name);
    }
    param->storeNumbers(values);
}

void InProcessHost::addDouble(const std::string& name, double value) { addParam(kOfxParamTypeDouble, name, {value}); }

void InProcessHost::addDouble2D(const std::string& name, double x, double y)
{
    addParam(kOfxParamTypeDouble2D, name, {x, y});
}

void InProcessHost::addBoolean(const std::string& name, bool value)
{
    addParam(kOfxParamTypeBoolean, name, {value ? 1.0 : 0.0});
}

void InProcessHost::setValues(const std::string& name, const std::vector<double>& values)
{
    ofxhost::Param* param = instance_.params().find(name);
    if (param == nullptr) {
        throw std::runtime_error("unknown parameter " + name);
    }
    param->storeNumbers(values);
}

std::vector<double> InProcessHost::values(const std::string& name)
{
    ofxhost::Param* param = instance_.params().find(name);
    if (param == nullptr) {
        throw std::runtime_error("unknown parameter " + name);
    }
    return param->numbers();
}

void InProcessHost::connectSource(double x1, double y1, double x2, double y2)
{
    ofxhost::Clip* clip = instance_.findClip("Source");
    if (clip == nullptr) {
        throw std::runtime_error("this instance has no Source clip");
    }
    clip->props().setInts(kOfxImageClipPropConnected, {1});
    sourceRod_ = OfxRectD{x1, y1, x2, y2};
}

void InProcessHost::disconnectSource()
{
    if (ofxhost::Clip* clip = instance_.findClip("Source")) {
        clip->props().setInts(kOfxImageClipPropConnected, {0});
    }
}

void InProcessHost::clearRecords() { writes_.clear(); }

void InProcessHost::paramChangedByPlugin(ofxhost::Param& param, double)
{
    writes_.push_back(ParamWrite{param.name(), param.numbers(), param.owner().editOpen()});
}

OfxStatus InProcessHost::fetchImage(ofxhost::Clip&, double, const OfxRectD*, OfxPropertySetHandle*)
{
    return kOfxStatFailed;
}

OfxStatus InProcessHost::regionOfDefinition(ofxhost::Clip&, double, OfxRectD* bounds)
{
    *bounds = sourceRod_;
    return kOfxStatOK;
}

} // namespace overlaytest
