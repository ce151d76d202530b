// What the host sees when a frame cannot be rendered, and what a frame leaves allocated.
#include <gtest/gtest.h>

#include <string>

#include "gpu/runtime/RuntimeTypes.h"
#include "tests/render/support/RenderHarness.h"
#include "tests/render/support/TestPictures.h"

namespace render_test {
namespace {

const OfxRectI kBounds{0, 0, 16, 12};

void connectInputs(Session& session) {
  session.setInput("Source", rampPicture(kBounds));
  session.setInput("Matte", discMatte(kBounds, 8, 6, 4));
}

struct FormatCase {
  const char* depth;
  const char* components;
};

class UnsupportedOutputFormats : public ::testing::TestWithParam<FormatCase> {};

// Only 32-bit float RGBA is rendered; anything else is refused before any GPU work.
TEST_P(UnsupportedOutputFormats, FailWithErrUnsupportedAndAllocateNothing) {
  const FormatCase& c = GetParam();
  Session session("edge_bleed");
  connectInputs(session);
  session.instance().setClipFormat("Output", c.depth, c.components);
  const ObjectCounts before = createdObjects(session.hooks());
  EXPECT_EQ(session.render(kBounds), kOfxStatErrUnsupported);
  EXPECT_EQ(createdObjects(session.hooks()), before);
}

INSTANTIATE_TEST_SUITE_P(Formats, UnsupportedOutputFormats,
                         ::testing::Values(FormatCase{"OfxBitDepthByte", "OfxImageComponentRGBA"},
                                           FormatCase{"OfxBitDepthShort", "OfxImageComponentRGBA"},
                                           FormatCase{"OfxBitDepthHalf", "OfxImageComponentRGBA"},
                                           FormatCase{"OfxBitDepthFloat", "OfxImageComponentRGB"},
                                           FormatCase{"OfxBitDepthFloat", "OfxImageComponentAlpha"}));

// A required input whose clip exists but delivers no picture fails the frame with a message.
TEST(FrameStatus, ARequiredInputWithoutPictureFailsTheFrame) {
  Session session("edge_bleed");
  session.setInput("Source", rampPicture(kBounds));
  EXPECT_EQ(session.render(kBounds), kOfxStatFailed);
  const std::string log = readFile(logPathForEffect("Edge Bleed"));
  EXPECT_NE(log.find("[ERROR] ERROR in setupAndProcess: Required input Matte delivered no image\n"),
            std::string::npos);
}

// A GPU allocation that fails ends the frame with kOfxStatFailed and the error line; the next
// frame starts again and succeeds.
TEST(FrameStatus, AFailedAllocationFailsTheFrameAndTheNextFrameRecovers) {
  Session session("skip");
  session.setInput("Source", rampPicture(kBounds));
  // The fourth allocation of the first frame, after the three default textures' arrays, is
  // the effect-output buffer.
  const ObjectCounts before = createdObjects(session.hooks());
  session.hooks().injectFault(0 /* Allocation */, 4, static_cast<int>(gpu::Error::MemoryAllocation));
  EXPECT_EQ(session.render(kBounds), kOfxStatFailed);
  const std::string log = readFile(logPathForEffect(fixtureEffectName("skip")));
  EXPECT_NE(log.find("[ERROR] ERROR in setupAndProcess: Failed to allocate effectOutput CUDA buffer\n"),
            std::string::npos)
      << log;
  EXPECT_GT(createdObjects(session.hooks()).arrays, before.arrays);
  session.hooks().clearFaults();
  EXPECT_EQ(session.renderAgain(), kOfxStatOK);
}

// A second frame of the same size into the same output creates no GPU object at all (at the
// default Blend of 1); a new size reallocates.
TEST(FrameStatus, ASecondFrameOfTheSameSizeAllocatesNothing) {
  Session session("edge_bleed");
  connectInputs(session);
  ASSERT_EQ(session.render(kBounds), kOfxStatOK);
  const ObjectCounts afterFirst = createdObjects(session.hooks());
  const ObjectCounts liveAfterFirst = liveObjects(session.hooks());
  ASSERT_EQ(session.renderAgain(2.0), kOfxStatOK);
  EXPECT_EQ(createdObjects(session.hooks()), afterFirst);
  EXPECT_EQ(liveObjects(session.hooks()), liveAfterFirst);

  const OfxRectI larger{0, 0, 20, 14};
  session.setInput("Source", rampPicture(larger));
  session.setInput("Matte", discMatte(larger, 9, 7, 4));
  ASSERT_EQ(session.render(larger), kOfxStatOK);
  EXPECT_GT(createdObjects(session.hooks()).linear, afterFirst.linear);
}

// Destroying the instance releases every GPU object the frames made.
TEST(FrameStatus, DestroyingTheInstanceReleasesItsGpuObjects) {
  const RenderTestHooks* hooks = nullptr;
  ObjectCounts before;
  {
    Session session("edge_bleed");
    hooks = &session.hooks();
    before = liveObjects(*hooks);
    connectInputs(session);
    ASSERT_EQ(session.render(kBounds), kOfxStatOK);
    EXPECT_GT(liveObjects(*hooks).linear, before.linear);
    session.instance().destroy();
    EXPECT_EQ(liveObjects(*hooks), before);
  }
}

}  // namespace
}  // namespace render_test
