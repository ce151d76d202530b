// The support library inside a real plug-in binary, driven by the project's
// host: entry points, description, parameters, render dispatch and statuses,
// identity, instance changes and the overlay interact.
#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "host/OverlayInteract.h"

#include "openfx/include/ofxGPURender.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ofxhost::Bundle;
using ofxhost::EffectInstance;

class SupportHost : public ::testing::Test {
 protected:
  void SetUp() override {
    bundle = Bundle::open(SUPPORT_PROBE_BUNDLE);
    ASSERT_EQ(bundle->pluginCount(), 1);
    plugin = &bundle->plugin(0);
  }

  std::unique_ptr<EffectInstance> instanceWithSource(float r, float g, float b, float a) {
    OfxStatus status = kOfxStatOK;
    auto instance = plugin->createInstance(kOfxImageEffectContextGeneral, &status);
    EXPECT_EQ(status, kOfxStatOK);
    if (instance)
      instance->setClipImage("Source", std::make_shared<ofxhost::Image>(
                                           ofxhost::Image::filled(OfxRectI{0, 0, 6, 4}, r, g, b, a)));
    return instance;
  }

  std::unique_ptr<Bundle> bundle;
  ofxhost::PluginHandle* plugin = nullptr;
};

TEST_F(SupportHost, EntryPointsDescribeOnePlugin) {
  EXPECT_EQ(plugin->identifier(), "com.test.support_probe");
  EXPECT_EQ(plugin->api(), "OfxImageEffectPluginAPI");
  EXPECT_EQ(plugin->apiVersion(), 1);
  EXPECT_EQ(plugin->versionMajor(), 1u);
  EXPECT_EQ(plugin->versionMinor(), 3u);
  ASSERT_EQ(plugin->describe(), kOfxStatOK);
  const auto& props = plugin->descriptor()->props();
  EXPECT_EQ(props.getString(kOfxPropLabel), "Support Probe");
  EXPECT_EQ(props.getStrings(kOfxImageEffectPropSupportedContexts),
            (std::vector<std::string>{kOfxImageEffectContextFilter, kOfxImageEffectContextGeneral}));
  EXPECT_EQ(props.getStrings(kOfxImageEffectPropSupportedPixelDepths), std::vector<std::string>{kOfxBitDepthFloat});
  EXPECT_EQ(props.getString(kOfxImageEffectPropCudaRenderSupported), "true");
  EXPECT_NE(props.getPointer(kOfxImageEffectPluginPropOverlayInteractV1), nullptr);
}

TEST_F(SupportHost, ParametersCarryTheirDescription) {
  auto instance = instanceWithSource(0, 0, 0, 1);
  ASSERT_TRUE(instance);
  EXPECT_EQ(instance->hint("mode"), "How the edge is extended\n\nStretch: Stretch\nMirror: Reflect");
  EXPECT_EQ(instance->choiceOptions("mode"), (std::vector<std::string>{"Stretch", "Mirror"}));
  EXPECT_EQ(instance->getInt("mode"), 1);
  EXPECT_DOUBLE_EQ(instance->getDouble("Blend"), 1.0);
  EXPECT_EQ(instance->getString("name"), "probe");
  EXPECT_EQ(instance->values("tint"), (std::vector<double>{1, 0.5, 0.25}));
  EXPECT_EQ(instance->param("Blend")->props().getString(kOfxParamPropParent), "Edge");
  EXPECT_EQ(instance->param("Main")->props().getStrings(kOfxParamPropPageChild), std::vector<std::string>{"Edge"});
  ASSERT_EQ(instance->curves("falloff").size(), 1u);
}

TEST_F(SupportHost, RenderRunsTheEntryOfTheEnabledMode) {
  auto instance = instanceWithSource(0.25f, 0.5f, 0.75f, 1.0f);
  ASSERT_TRUE(instance);
  struct Case {
    const char* name;
    bool cuda, opencl, metal;
    float expected[4];
  };
  const Case cases[] = {
      {"cpu", false, false, false, {0.25f, 0.5f, 0.75f, 1.0f}},
      {"cuda", true, false, false, {0, 1, 0, 1}},
      {"opencl", false, true, false, {0, 0, 1, 1}},
      {"metal", false, false, true, {1, 0, 0, 1}},
  };
  for (const auto& c : cases) {
    ofxhost::RenderOptions options;
    options.cudaEnabled = c.cuda;
    options.openCLEnabled = c.opencl;
    options.metalEnabled = c.metal;
    options.deviceImages = false;
    ASSERT_EQ(instance->render(options), kOfxStatOK) << c.name;
    auto output = instance->clipImage(kOfxImageEffectOutputClipName);
    ASSERT_TRUE(output) << c.name;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x)
        for (int k = 0; k < 4; ++k) ASSERT_EQ(output->pixel(x, y)[k], c.expected[k]) << c.name << " " << x << "," << y;
    EXPECT_EQ(instance->outstandingImages(), 0) << "every fetched image is released";
  }
}

TEST_F(SupportHost, RenderFailuresReachTheHostAsStatuses) {
  auto instance = instanceWithSource(0, 0, 0, 1);
  ASSERT_TRUE(instance);
  const std::pair<int, OfxStatus> cases[] = {
      {1, kOfxStatFailed}, {2, kOfxStatErrMemory}, {3, kOfxStatFailed}, {4, kOfxStatErrValue}, {0, kOfxStatOK}};
  for (const auto& c : cases) {
    ASSERT_EQ(instance->setInt("failure", c.first), kOfxStatOK);
    EXPECT_EQ(instance->render(), c.second) << "failure option " << c.first;
    EXPECT_EQ(instance->outstandingImages(), 0);
  }
  instance->setClipFormat(kOfxImageEffectOutputClipName, kOfxBitDepthByte, kOfxImageComponentRGBA);
  EXPECT_EQ(instance->render(), kOfxStatErrUnsupported);
}

TEST_F(SupportHost, IdentityPassesTheSourceThrough) {
  auto instance = instanceWithSource(0, 0, 0, 1);
  ASSERT_TRUE(instance);
  EXPECT_FALSE(instance->isIdentity().identity);
  ASSERT_EQ(instance->setDouble("Blend", 0.0), kOfxStatOK);
  ofxhost::RenderOptions options;
  options.time = 3.0;
  const ofxhost::IdentityResult result = instance->isIdentity(options);
  EXPECT_TRUE(result.identity);
  EXPECT_EQ(result.clip, "Source");
  EXPECT_EQ(result.time, 3.0);
}

TEST_F(SupportHost, ButtonReplacesChoiceOptionsInsideAnEditBlock) {
  auto instance = instanceWithSource(0, 0, 0, 1);
  ASSERT_TRUE(instance);
  EXPECT_FALSE(instance->isSecret("path"));
  ASSERT_EQ(instance->pressButton("refill"), kOfxStatOK);
  EXPECT_EQ(instance->choiceOptions("mode"), (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(instance->getInt("mode"), 2);
  EXPECT_TRUE(instance->isSecret("path"));
  EXPECT_FALSE(instance->editEvents().empty());
}

TEST_F(SupportHost, OverlayDrawsAndEditsThroughTheDrawSuite) {
  auto instance = instanceWithSource(0, 0, 0, 1);
  ASSERT_TRUE(instance);
  OfxStatus status = kOfxStatFailed;
  auto overlay = instance->createOverlay(&status);
  ASSERT_EQ(status, kOfxStatOK);
  ASSERT_TRUE(overlay);
  ofxhost::InteractView view;
  view.pixelScale = OfxPointD{2.0, 2.0};
  ASSERT_EQ(overlay->draw(view), kOfxStatOK);
  ASSERT_EQ(overlay->lastDraw().size(), 1u);
  EXPECT_EQ(overlay->lastDraw()[0].points.size(), 2u);
  EXPECT_DOUBLE_EQ(overlay->lastDraw()[0].points[1].x - overlay->lastDraw()[0].points[0].x, 40.0);
  ofxhost::PenEvent pen;
  pen.position = OfxPointD{100.0, 200.0};
  EXPECT_EQ(overlay->penDown(pen, view), kOfxStatOK);
  EXPECT_EQ(instance->values("center"), (std::vector<double>{100.0, 200.0}));
  EXPECT_GE(overlay->redrawRequests(), 1);
  EXPECT_EQ(overlay->penUp(pen, view), kOfxStatReplyDefault);
}

}  // namespace
