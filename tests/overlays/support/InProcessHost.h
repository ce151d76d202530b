#pragma once
// An effect instance served in this process by the host library's own suites, so overlay objects
// can be driven directly: parameters keep values, the "Source" clip reports a chosen region of
// definition, every plug-in write is recorded with whether an edit block was open, and draws
// land in a recording draw context. The support library's host pointer is installed for the
// fixture's lifetime.

#include "host/DrawRecorder.h"
#include "host/ImageEffect.h"
#include "host/OverlayInteract.h"
#include "host/Param.h"
#include "host/PropertySet.h"

#include "openfx/support/ImageEffect.h"

#include <memory>
#include <string>
#include <vector>

namespace overlaytest {

struct HostFeatures {
    bool supportsOverlays = true;
    bool drawSuite = true;
    bool sourceClip = true; // the instance has a "Source" clip at all
};

// One value written by the plug-in through the parameter suite.
struct ParamWrite {
    std::string name;
    std::vector<double> values;
    bool insideEditBlock = false;
};

class InProcessHost : public ofxhost::ParamChangeListener, public ofxhost::ClipImageProvider {
public:
    explicit InProcessHost(HostFeatures features = {});
    ~InProcessHost() override;
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    // Parameters: OpenFX type (kOfxParamTypeDouble2D...) and initial values, no hard range.
    void addParam(const char* ofxType, const std::string& name, const std::vector<double>& values);
    void addDouble(const std::string& name, double value);
    void addDouble2D(const std::string& name, double x, double y);
    void addBoolean(const std::string& name, bool value);
    // Host-side change, no notification (what the viewer would show next).
    void setValues(const std::string& name, const std::vector<double>& values);
    std::vector<double> values(const std::string& name);

    // The "Source" clip: connected with this region of definition, or not connected.
    void connectSource(double x1, double y1, double x2, double y2);
    void connectSource(double width, double height) { connectSource(0, 0, width, height); }
    void disconnectSource();

    OFX::ImageEffect* effect() { return effect_.get(); }
    ofxhost::ImageEffectObject& instance() { return instance_; }
    ofxhost::ImageEffectObject& descriptor() { return descriptor_; }
    std::vector<ofxhost::EditBlockEvent> editEvents() const { return instance_.params().editEvents(); }
    bool editOpen() const { return instance_.params().editOpen(); }
    const std::vector<ParamWrite>& writes() const { return writes_; }
    void clearRecords();

    // ParamChangeListener / ClipImageProvider
    void paramChangedByPlugin(ofxhost::Param& param, double time) override;
    double currentTime() const override { return 0.0; }
    OfxStatus fetchImage(ofxhost::Clip&, double, const OfxRectD*, OfxPropertySetHandle*) override;
    OfxStatus releaseImage(OfxPropertySetHandle) override { return kOfxStatErrBadHandle; }
    OfxStatus regionOfDefinition(ofxhost::Clip& clip, double time, OfxRectD* bounds) override;
    bool abortRequested() override { return false; }

private:
    static const void* fetchSuite(OfxPropertySetHandle host, const char* name, int version);

    HostFeatures features_;
    ofxhost::PropertySet hostProps_;
    OfxHost host_{};
    ofxhost::ImageEffectObject descriptor_{ofxhost::ImageEffectObject::Role::Descriptor};
    ofxhost::ImageEffectObject instance_{ofxhost::ImageEffectObject::Role::Instance};
    OfxRectD sourceRod_{0, 0, 0, 0};
    std::vector<ParamWrite> writes_;
    std::unique_ptr<OFX::ImageEffect> effect_;
};

// A host-side interact handle (no effect), so redraw requests can be counted.
class InteractHandle {
public:
    InteractHandle() : object_(nullptr, nullptr) {}
    OfxInteractHandle handle() { return object_.handle(); }
    int redrawRequests() const { return object_.redrawRequests; }

private:
    ofxhost::InteractObject object_;
};

} // namespace overlaytest
