#pragma once
// Loading the overlay fixture bundles through the host library: an effect instance
// with a connected source picture and its overlay interact, and the bundles' log files.

#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "host/OverlayInteract.h"

#include <memory>
#include <string>

namespace overlaytest {

std::string edgeBleedBundle();
// The fixture bundles by fixture: "uv", "centered", "centered_aspect" (every overlay kind in that
// coordinate system) and "center" (a "center" parameter and no overlays).
std::string fixtureBundle(const std::string& fixture);
// The effect name of a fixture ("Overlay Fixture UV <tag>").
std::string fixtureEffectName(const std::string& fixture);
// The log written while the bundle starts and describes itself (named after its identifier).
std::string startLogPath(const std::string& fixture);
// The log written once an instance exists (named after the effect).
std::string instanceLogPath(const std::string& fixture);
std::string readFile(const std::string& path);

// One instance in the filter context with a `width` x `height` source and its overlay interact.
struct ProbeSession {
    std::unique_ptr<ofxhost::Bundle> bundle;
    std::unique_ptr<ofxhost::EffectInstance> instance;
    std::unique_ptr<ofxhost::OverlayInteract> overlay;
    OfxStatus overlayStatus = kOfxStatOK;

    static ProbeSession open(const std::string& fixture, int width, int height, bool hostOverlays = true);
    // Destroys the interact, then the instance, then unloads the bundle (which flushes its log).
    void close()
    {
        overlay.reset();
        instance.reset();
        bundle.reset();
    }
};

inline ofxhost::PenEvent pen(double x, double y)
{
    ofxhost::PenEvent event;
    event.position = OfxPointD{x, y};
    return event;
}

inline ofxhost::InteractView zoomed(double pixelScale)
{
    ofxhost::InteractView view;
    view.pixelScale = OfxPointD{pixelScale, pixelScale};
    return view;
}

} // namespace overlaytest
