// Frames of the Edge Bleed bundle rendered through the host on the CPU (host backend),
// compared pixel by pixel with an independent model of the effect (brute-force nearest
// boundary point, then the effect's sampling). Tolerance: the output of a boundary point at
// most 0.35 px farther than the nearest one (the jump flood's approximation, see
// EdgeBleedReference.h), plus 2e-3 per channel. The blur radius stays at 1 pixel or below,
// where the blur moves the field by a negligible amount; wider blurs are covered by the
// kernel tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/render/support/EdgeBleedReference.h"
#include "tests/render/support/RenderHarness.h"
#include "tests/render/support/TestPictures.h"

namespace render_test {
namespace {

constexpr double kTolerance = 2e-3;
const OfxRectI kBounds{0, 0, 40, 32};

struct ModeCase {
  const char* name;
  EdgeBleedSettings settings;
};

EdgeBleedSettings with(void (*change)(EdgeBleedSettings&)) {
  EdgeBleedSettings s;
  change(s);
  return s;
}

void applySettings(ofxhost::EffectInstance& instance, const EdgeBleedSettings& s) {
  ASSERT_EQ(instance.setInt("mode", s.mode), kOfxStatOK);
  ASSERT_EQ(instance.setDouble("threshold", s.threshold), kOfxStatOK);
  ASSERT_EQ(instance.setDouble("max_distance", s.maxDistance), kOfxStatOK);
  ASSERT_EQ(instance.setBool("preserve_inside", s.preserveInside), kOfxStatOK);
  ASSERT_EQ(instance.setDouble("blur_radius", s.blurRadius), kOfxStatOK);
  ASSERT_EQ(instance.setInt("output_mode", s.outputMode), kOfxStatOK);
  ASSERT_EQ(instance.setDouble("Blend", s.blend), kOfxStatOK);
}

// Every channel of every pixel must lie in the model's range, widened by kTolerance.
void expectMatches(const ofxhost::Image& rendered, const ReferenceFrame& expected, const std::string& label) {
  int mismatches = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const float* got = rendered.pixel(rendered.bounds().x1 + x, rendered.bounds().y1 + y);
      const double* low = expected.lowAt(x, y);
      const double* high = expected.highAt(x, y);
      for (int c = 0; c < 4; ++c) {
        if ((got[c] < low[c] - kTolerance || got[c] > high[c] + kTolerance) && ++mismatches <= 5) {
          ADD_FAILURE() << label << ": pixel (" << x << ", " << y << ") channel " << c << " is " << got[c]
                        << ", expected " << low[c] << " to " << high[c];
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << label;
}

class EdgeBleedModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EdgeBleedModes, MatchTheIndependentModel) {
  const ModeCase& c = GetParam();
  Session session("edge_bleed");
  const ofxhost::Image source = rampPicture(kBounds);
  const ofxhost::Image matte = discMatte(kBounds, 17.3, 15.1, 9.4);
  session.setInput("Source", source);
  session.setInput("Matte", matte);
  applySettings(session.instance(), c.settings);
  ASSERT_EQ(session.render(kBounds), kOfxStatOK);

  const ReferenceFrame expected = renderReference(source, matte, c.settings);
  ASSERT_GT(expected.seedCount, 40);
  expectMatches(*session.output(), expected, c.name);
}

const ModeCase kModeCases[] = {
    {"Defaults", EdgeBleedSettings{}},
    {"StretchNoBlur", with([](EdgeBleedSettings& s) { s.blurRadius = 0.0; })},
    {"StretchReplacingInside", with([](EdgeBleedSettings& s) { s.preserveInside = false; })},
    {"Mirror", with([](EdgeBleedSettings& s) { s.mode = 1; })},
    {"MirrorReplacingInside", with([](EdgeBleedSettings& s) { s.mode = 1, s.preserveInside = false; })},
    {"LowThreshold", with([](EdgeBleedSettings& s) { s.threshold = 0.2; })},
    {"MaximumDistance", with([](EdgeBleedSettings& s) { s.maxDistance = 0.08; })},
    {"DistanceField", with([](EdgeBleedSettings& s) { s.outputMode = 1; })},
    {"DistanceFieldCapped", with([](EdgeBleedSettings& s) { s.outputMode = 1, s.maxDistance = 0.05; })},
    {"SeedUV", with([](EdgeBleedSettings& s) { s.outputMode = 2; })},
    {"HalfBlend", with([](EdgeBleedSettings& s) { s.blend = 0.5; })},
    {"MirrorQuarterBlend", with([](EdgeBleedSettings& s) { s.mode = 1, s.blend = 0.25; })},
};

INSTANTIATE_TEST_SUITE_P(Frames, EdgeBleedModes, ::testing::ValuesIn(kModeCases),
                         [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

// Beyond the maximum distance the stored distance is the cap itself: the distance field shows
// exactly cap / (diagonal / 10) / 2 + 0.5 there.
TEST(EdgeBleedFrames, DistanceBeyondTheCapIsTheCap) {
  Session session("edge_bleed");
  session.setInput("Source", rampPicture(kBounds));
  session.setInput("Matte", discMatte(kBounds, 8.0, 8.0, 4.0));
  EdgeBleedSettings s;
  s.outputMode = 1;
  s.maxDistance = 0.05;
  s.blurRadius = 0.0;
  applySettings(session.instance(), s);
  ASSERT_EQ(session.render(kBounds), kOfxStatOK);
  const float* far = session.output()->pixel(39, 31);  // the far corner, well beyond the cap
  EXPECT_NEAR(far[0], 0.05 / 0.1 * 0.5 + 0.5, 1e-5);
}

// Without a boundary there is nothing to extend: Result mode gives the source back, with and
// without a maximum distance.
TEST(EdgeBleedFrames, AMatteWithoutBoundaryReturnsTheSource) {
  struct Case {
    const char* name;
    float matteAlpha;
    double maxDistance;
  };
  const Case cases[] = {{"all inside", 1.0f, 0.0}, {"all outside", 0.0f, 0.0}, {"all outside, capped", 0.0f, 0.1}};
  for (const Case& c : cases) {
    Session session("edge_bleed");
    const ofxhost::Image source = rampPicture(kBounds);
    session.setInput("Source", source);
    session.setInput("Matte", flatPicture(kBounds, 1, 1, 1, c.matteAlpha));
    ASSERT_EQ(session.instance().setDouble("max_distance", c.maxDistance), kOfxStatOK);
    ASSERT_EQ(session.render(kBounds), kOfxStatOK) << c.name;
    for (int y = 0; y < kBounds.y2; ++y) {
      for (int x = 0; x < kBounds.x2; ++x) {
        for (int ch = 0; ch < 4; ++ch) {
          ASSERT_NEAR(session.output()->pixel(x, y)[ch], source.pixel(x, y)[ch], 1e-6)
              << c.name << " at (" << x << ", " << y << ")";
        }
      }
    }
  }
}

// A host output picture with padded rows (row bytes > width * 16) gets the same pixels as a
// packed one, and the padding bytes are left alone.
TEST(EdgeBleedFrames, PaddedOutputRowsRenderTheSamePicture) {
  const OfxRectI bounds{-3, 2, 28, 25};  // an odd width and an origin away from 0
  const ofxhost::Image source = rampPicture(bounds);
  const ofxhost::Image matte = discMatte(bounds, 14.0, 11.0, 7.0);

  Session packed("edge_bleed");
  packed.setInput("Source", source);
  packed.setInput("Matte", matte);
  ASSERT_EQ(packed.render(bounds), kOfxStatOK);

  Session padded("edge_bleed");
  padded.setInput("Source", source);
  padded.setInput("Matte", matte);
  const int padding = 48;
  ofxhost::Image marked(bounds, 16, padding);
  std::vector<unsigned char> pattern(marked.byteSize(), 0xA5);
  std::memcpy(marked.data(), pattern.data(), pattern.size());
  padded.instance().setClipImage("Output", std::make_shared<ofxhost::Image>(marked));
  ASSERT_EQ(padded.renderAgain(), kOfxStatOK);

  const ofxhost::Image& a = *packed.output();
  const ofxhost::Image& b = *padded.output();
  ASSERT_EQ(b.rowBytes(), a.rowBytes() + padding);
  for (int y = bounds.y1; y < bounds.y2; ++y) {
    for (int x = bounds.x1; x < bounds.x2; ++x) {
      for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(a.pixel(x, y)[ch], b.pixel(x, y)[ch]) << x << ", " << y;
    }
    const unsigned char* pad =
        static_cast<const unsigned char*>(b.data()) + static_cast<size_t>(y - bounds.y1) * b.rowBytes() + a.rowBytes();
    for (int i = 0; i < padding; ++i) ASSERT_EQ(pad[i], 0xA5) << "row " << y << " padding byte " << i;
  }
}

}  // namespace
}  // namespace render_test
