// Render and identity through the probe: pictures with padded rows and offset
// bounds, render arguments, GPU flags, formats, leaks, and the identity answer.
#include "host/HostError.h"
#include "host/MultiThreadSuite.h"
#include "ProbeFixture.h"

namespace {

using ofxhost::Image;
using ofxhost::RenderOptions;

class RenderTest : public probe::ProbeTest {};

struct PictureCase {
  const char *what;
  OfxRectI bounds;
  int sourcePadding;
  int outputPadding;
  std::optional<OfxRectI> window;
};

// Source pixel (x, y) holds (x, y, x + y, 1) so every pixel's origin is checkable.
std::shared_ptr<Image> gradient(OfxRectI bounds, int padding) {
  auto image = std::make_shared<Image>(bounds, 16, padding);
  for (int y = bounds.y1; y < bounds.y2; ++y)
    for (int x = bounds.x1; x < bounds.x2; ++x) {
      float *p = image->pixel(x, y);
      p[0] = float(x), p[1] = float(y), p[2] = float(x + y), p[3] = 1.0f;
    }
  return image;
}

TEST_F(RenderTest, OutputIsSourceTimesGainForEveryLayout) {
  const PictureCase cases[] = {
      {"packed at the origin", {0, 0, 7, 5}, 0, 0, std::nullopt},
      {"padded rows", {0, 0, 9, 4}, 32, 12, std::nullopt},
      {"negative origin", {-3, -2, 4, 3}, 0, 4, std::nullopt},
      {"window inside the picture", {0, 0, 8, 8}, 16, 0, OfxRectI{2, 3, 6, 5}},
  };
  for (const PictureCase &c : cases) {
    makeInstance();
    instance->setDouble("gain", 2.0);
    instance->setClipImage("Source", gradient(c.bounds, c.sourcePadding));
    instance->setOutputRowPadding(c.outputPadding);
    RenderOptions options;
    options.window = c.window;
    options.time = 3.0;
    ASSERT_EQ(instance->render(options), kOfxStatOK) << c.what;
    std::shared_ptr<Image> out = instance->clipImage("Output");
    ASSERT_TRUE(out) << c.what;
    EXPECT_EQ(out->bounds().x1, c.bounds.x1) << c.what;
    EXPECT_EQ(out->bounds().y2, c.bounds.y2) << c.what;
    EXPECT_EQ(out->rowBytes(), out->width() * 16 + c.outputPadding) << c.what;
    const OfxRectI w = c.window.value_or(c.bounds);
    for (int y = c.bounds.y1; y < c.bounds.y2; ++y)
      for (int x = c.bounds.x1; x < c.bounds.x2; ++x) {
        const float *p = out->pixel(x, y);
        const bool inside = x >= w.x1 && x < w.x2 && y >= w.y1 && y < w.y2;
        EXPECT_EQ(p[0], inside ? 2.0f * x : 0.0f) << c.what << " at " << x << "," << y;
        EXPECT_EQ(p[2], inside ? 2.0f * (x + y) : 0.0f) << c.what << " at " << x << "," << y;
        EXPECT_EQ(p[3], inside ? 1.0f : 0.0f) << c.what;
      }
    const int *window = probe::exported<const int *(*)()>(*bundle, "hostprobe_render_window")();
    EXPECT_EQ(window[0], w.x1) << c.what;
    EXPECT_EQ(window[3], w.y2) << c.what;
    EXPECT_EQ(instance->outstandingImages(), 0) << c.what;
    EXPECT_EQ(instance->fetchedImageCount(), 2) << c.what;
  }
}

TEST_F(RenderTest, RenderArgumentsReachThePlugin) {
  makeInstance();
  instance->setClipImage("Source", gradient({0, 0, 4, 4}, 0));
  int stream = 0;
  RenderOptions options;
  options.renderScale = {0.5, 0.25};
  options.field = kOfxImageFieldLower;
  options.cudaEnabled = true;
  options.cudaStream = &stream;
  options.deviceImages = false;  // host memory with the CUDA flag, as a host-emulated device would give
  ASSERT_EQ(instance->render(options), kOfxStatOK);
  EXPECT_EQ(probe::exported<int (*)()>(*bundle, "hostprobe_cuda_enabled")(), 1);
  EXPECT_EQ(probe::exported<void *(*)()>(*bundle, "hostprobe_cuda_stream")(), &stream);
  const double *scale = probe::exported<const double *(*)()>(*bundle, "hostprobe_render_scale")();
  EXPECT_EQ(scale[0], 0.5);
  EXPECT_EQ(scale[1], 0.25);
  EXPECT_STREQ(probe::exported<const char *(*)()>(*bundle, "hostprobe_field")(), kOfxImageFieldLower);
  EXPECT_EQ(probe::exported<void *(*)()>(*bundle, "hostprobe_output_data")(), instance->clipImage("Output")->data());
  EXPECT_FALSE(instance->lastRenderUsedDeviceMemory());

  std::vector<std::string> actions;
  for (const auto &a : plugin->actionLog()) actions.push_back(a.action);
  const std::vector<std::string> tail(actions.end() - 3, actions.end());
  EXPECT_EQ(tail, (std::vector<std::string>{kOfxImageEffectActionBeginSequenceRender, kOfxImageEffectActionRender,
                                            kOfxImageEffectActionEndSequenceRender}));
}

TEST_F(RenderTest, DeviceImagesNeedADevice) {
  makeInstance();
  instance->setClipImage("Source", gradient({0, 0, 4, 4}, 0));
  RenderOptions options;
  options.cudaEnabled = true;
  options.deviceImages = true;
  if (ofxhost::DeviceBuffer::available()) {
    ASSERT_EQ(instance->render(options), kOfxStatOK);
    EXPECT_TRUE(instance->lastRenderUsedDeviceMemory());
    EXPECT_NE(probe::exported<void *(*)()>(*bundle, "hostprobe_output_data")(), instance->clipImage("Output")->data());
  } else {
    EXPECT_EQ(instance->render(options), kOfxStatErrMissingHostFeature);
  }
}

TEST_F(RenderTest, MultiThreadSuiteSpreadsTheWork) {
  ofxhost::setReportedCpuCount(3);
  makeInstance();
  instance->setClipImage("Source", gradient({0, 0, 16, 16}, 0));
  ASSERT_EQ(instance->render(), kOfxStatOK);
  EXPECT_EQ(probe::exported<unsigned int (*)()>(*bundle, "hostprobe_threads_used")(), 3u);
  EXPECT_EQ(probe::exported<int (*)()>(*bundle, "hostprobe_spawned_seen")(), 1);
  ofxhost::setReportedCpuCount(0);
}

TEST_F(RenderTest, UnsupportedOutputFormatIsThePluginsAnswer) {
  const char *formats[][2] = {{kOfxBitDepthByte, kOfxImageComponentRGBA},
                              {kOfxBitDepthHalf, kOfxImageComponentRGBA},
                              {kOfxBitDepthFloat, kOfxImageComponentRGB},
                              {kOfxBitDepthFloat, kOfxImageComponentAlpha}};
  for (const auto &f : formats) {
    makeInstance();
    instance->setClipImage("Source", gradient({0, 0, 4, 4}, 0));
    instance->setClipFormat("Output", f[0], f[1]);
    EXPECT_EQ(instance->render(), kOfxStatErrUnsupported) << f[0] << " " << f[1];
    EXPECT_EQ(instance->outstandingImages(), 0);
    EXPECT_EQ(instance->clipImage("Output")->bytesPerPixel(),
              ofxhost::bytesPerComponent(f[0]) * ofxhost::componentCount(f[1]));
  }
}

TEST_F(RenderTest, UnconnectedSourceFailsTheRender) {
  makeInstance();
  instance->setClipImage("Output", std::make_shared<Image>(OfxRectI{0, 0, 2, 2}));
  EXPECT_EQ(instance->render(), kOfxStatFailed);
  EXPECT_EQ(instance->outstandingImages(), 0);
}

TEST_F(RenderTest, UnreleasedPicturesAreCounted) {
  makeInstance();
  instance->setBool("leak", true);
  instance->setClipImage("Source", gradient({0, 0, 4, 4}, 0));
  ASSERT_EQ(instance->render(), kOfxStatOK);
  EXPECT_EQ(instance->outstandingImages(), 1);
  // Releasing an image twice, or one the host never gave, is refused.
  EXPECT_EQ(ofxhost::imageEffectSuite()->clipReleaseImage(nullptr), kOfxStatErrBadHandle);
}

TEST_F(RenderTest, IdentityWhenGainIsOne) {
  makeInstance();
  RenderOptions options;
  options.time = 12.0;
  ofxhost::IdentityResult identity = instance->isIdentity(options);
  EXPECT_EQ(identity.status, kOfxStatOK);
  EXPECT_TRUE(identity.identity);
  EXPECT_EQ(identity.clip, "Source");
  EXPECT_EQ(identity.time, 12.0);
  instance->setDouble("gain", 0.5);
  identity = instance->isIdentity(options);
  EXPECT_EQ(identity.status, kOfxStatReplyDefault);
  EXPECT_FALSE(identity.identity);
}

TEST_F(RenderTest, RegionOfDefinitionDefaultsToTheInputs) {
  makeInstance();
  instance->setClipImage("Source", gradient({-2, 0, 5, 3}, 0));
  OfxRectD rod{0, 0, 0, 0};
  EXPECT_EQ(instance->getRegionOfDefinition(0.0, &rod), kOfxStatReplyDefault);
  EXPECT_EQ(rod.x1, -2.0);
  EXPECT_EQ(rod.y2, 3.0);
  OfxRectD clipRod{0, 0, 0, 0};
  EXPECT_EQ(ofxhost::imageEffectSuite()->clipGetRegionOfDefinition(instance->object().findClip("Source")->handle(), 0.0,
                                                                     &clipRod),
            kOfxStatOK);
  EXPECT_EQ(clipRod.x2, 5.0);
}

TEST(Image, RejectsBadShapesAndReportsPixels) {
  EXPECT_THROW(Image({0, 0, -1, 1}), ofxhost::HostError);
  EXPECT_THROW(Image({0, 0, 1, 1}, 16, 3), ofxhost::HostError);
  EXPECT_THROW(Image({0, 0, 1, 1}, 0), ofxhost::HostError);
  Image image = Image::filled({1, 1, 3, 2}, 0.5f, 0.25f, 0.125f, 1.0f, 8);
  EXPECT_EQ(image.rowBytes(), 40);
  EXPECT_EQ(image.pixel(0, 1), nullptr);
  EXPECT_EQ(image.pixel(3, 1), nullptr);
  ASSERT_NE(image.pixel(2, 1), nullptr);
  EXPECT_EQ(image.pixel(2, 1)[1], 0.25f);
  Image bytes({0, 0, 3, 1}, 3);
  EXPECT_EQ(bytes.rowBytes(), 12);  // rows stay 4-byte aligned
  EXPECT_EQ(bytes.pixel(0, 0), nullptr);
}

}  // namespace
