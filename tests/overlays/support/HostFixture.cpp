#include "support/HostFixture.h"

#include "host/Image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace overlaytest {

std::string edgeBleedBundle() { return EDGE_BLEED_TEST_BUNDLE; }

std::string fixtureBundle(const std::string& fixture)
{
    return std::string(OVERLAY_BUNDLE_DIR) + "/overlay_fixture_" + fixture + ".ofx.bundle";
}

std::string fixtureEffectName(const std::string& fixture)
{
    const std::string tag = OVERLAY_BUILD_TAG;
    if (fixture == "center") return "Center Fixture " + tag;
    if (fixture == "centered") return "Overlay Fixture Centered " + tag;
    if (fixture == "centered_aspect") return "Overlay Fixture CenteredAspect " + tag;
    return "Overlay Fixture UV " + tag;
}

std::string startLogPath(const std::string& fixture)
{
    return "/tmp/eb_overlay_fixture_" + fixture + "_" + OVERLAY_BUILD_TAG + "_plugin_log.txt";
}

std::string instanceLogPath(const std::string& fixture)
{
    return "/tmp/" + fixtureEffectName(fixture) + "_plugin_log.txt";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ProbeSession ProbeSession::open(const std::string& fixture, int width, int height, bool hostOverlays)
{
    ProbeSession session;
    ofxhost::HostOptions options;
    options.supportsOverlays = hostOverlays;
    session.bundle = ofxhost::Bundle::open(fixtureBundle(fixture), options);
    EXPECT_EQ(session.bundle->pluginCount(), 1);
    OfxStatus status = kOfxStatOK;
    session.instance = session.bundle->plugin(0).createInstance("OfxImageEffectContextFilter", &status);
    EXPECT_EQ(status, kOfxStatOK);
    if (!session.instance) {
        return session;
    }
    session.instance->setClipImage(
        "Source", std::make_shared<ofxhost::Image>(ofxhost::Image::filled(OfxRectI{0, 0, width, height}, 0, 0, 0, 1)));
    session.overlay = session.instance->createOverlay(&session.overlayStatus);
    return session;
}

} // namespace overlaytest
