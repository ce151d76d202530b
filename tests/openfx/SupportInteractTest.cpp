// Overlay interacts through the descriptor's main entry: creation with the
// effect instance, the arguments of draw, pen and focus actions, statuses,
// redraw requests and destruction.
#include "tests/openfx/SupportTestPlugin.h"

#include <gtest/gtest.h>

namespace {

using fakehost::FakeHost;

struct Seen {
  int created = 0;
  int destroyed = 0;
  OFX::ImageEffect* effect = nullptr;
  OFX::DrawArgs draw;
  OFX::PenArgs pen;
  OFX::KeyArgs key;
  int focusGained = 0;
  bool accept = true;
};
Seen gSeen;

class RecordingInteract : public OFX::OverlayInteract {
 public:
  RecordingInteract(OfxInteractHandle handle, OFX::ImageEffect* effect) : OFX::OverlayInteract(handle, effect) {
    ++gSeen.created;
    gSeen.effect = _effect;
  }
  ~RecordingInteract() override { ++gSeen.destroyed; }
  bool draw(const OFX::DrawArgs& args) override {
    gSeen.draw = args;
    return gSeen.accept;
  }
  bool penDown(const OFX::PenArgs& args) override {
    gSeen.pen = args;
    requestRedraw();
    return gSeen.accept;
  }
  bool keyDown(const OFX::KeyArgs& args) override {
    gSeen.key = args;
    return true;
  }
  void gainFocus(const OFX::FocusArgs&) override { ++gSeen.focusGained; }
};

class RecordingDescriptor : public OFX::DefaultEffectOverlayDescriptor<RecordingDescriptor, RecordingInteract> {};

class SupportInteract : public ::testing::Test {
 protected:
  void SetUp() override {
    gSeen = Seen();
    supporttest::hooks().reset();
    ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
    effect = &host.newEffect();
    ASSERT_EQ(supporttest::send(kOfxActionCreateInstance, FakeHost::handle(*effect)), kOfxStatOK);
    instance = static_cast<OFX::ImageEffect*>(effect->props.getPointer(kOfxPropInstanceData));
    entry = descriptor.getMainEntry();
    interact = &host.newInteract(effect);
  }
  void TearDown() override { supporttest::send(kOfxActionDestroyInstance, FakeHost::handle(*effect)); }

  OfxStatus sendInteract(const char* action, fakehost::PropertySetStruct* in = nullptr) {
    return entry(action, FakeHost::handle(*interact), in != nullptr ? FakeHost::handle(*in) : nullptr, nullptr);
  }

  FakeHost host;
  fakehost::Effect* effect = nullptr;
  OFX::ImageEffect* instance = nullptr;
  RecordingDescriptor descriptor;
  OfxPluginEntryPoint* entry = nullptr;
  fakehost::Interact* interact = nullptr;
};

TEST_F(SupportInteract, OverlayDescriptorPublishesItsMainEntryOnTheEffect) {
  supporttest::hooks().describe = [](OFX::ImageEffectDescriptor& desc) {
    desc.setOverlayInteractDescriptor(new RecordingDescriptor);
  };
  fakehost::Effect& d = host.newEffect();
  ASSERT_EQ(supporttest::send(kOfxActionDescribe, FakeHost::handle(d)), kOfxStatOK);
  EXPECT_EQ(d.props.getPointer(kOfxImageEffectPluginPropOverlayInteractV1), reinterpret_cast<void*>(entry));
}

TEST_F(SupportInteract, CreationFindsTheEffectAndDestructionDeletesTheInteract) {
  EXPECT_EQ(sendInteract(kOfxActionDescribe), kOfxStatOK);
  ASSERT_EQ(sendInteract(kOfxActionCreateInstance), kOfxStatOK);
  EXPECT_EQ(gSeen.created, 1);
  EXPECT_EQ(gSeen.effect, instance);
  EXPECT_NE(interact->props.getPointer(kOfxPropInstanceData), nullptr);
  ASSERT_EQ(sendInteract(kOfxActionDestroyInstance), kOfxStatOK);
  EXPECT_EQ(gSeen.destroyed, 1);
  EXPECT_EQ(interact->props.getPointer(kOfxPropInstanceData), nullptr);
  EXPECT_EQ(sendInteract(kOfxInteractActionDraw, &host.newArgs()), kOfxStatErrBadHandle);
}

TEST_F(SupportInteract, DrawAndPenArgumentsAndStatuses) {
  ASSERT_EQ(sendInteract(kOfxActionCreateInstance), kOfxStatOK);
  int context = 0;
  fakehost::PropertySetStruct& draw = host.newArgs();
  draw.set(kOfxPropTime, {4.0});
  draw.set(kOfxInteractPropPixelScale, {2.0, 0.5});
  draw.set(kOfxInteractPropBackgroundColour, {0.1, 0.2, 0.3});
  draw.set(kOfxInteractPropDrawContext, {static_cast<void*>(&context)});
  EXPECT_EQ(sendInteract(kOfxInteractActionDraw, &draw), kOfxStatOK);
  EXPECT_EQ(gSeen.draw.time, 4.0);
  EXPECT_EQ(gSeen.draw.pixelScale.x, 2.0);
  EXPECT_EQ(gSeen.draw.pixelScale.y, 0.5);
  EXPECT_EQ(gSeen.draw.backGroundColour.b, 0.3);
  EXPECT_EQ(static_cast<void*>(gSeen.draw.drawContext), static_cast<void*>(&context));

  fakehost::PropertySetStruct& pen = host.newArgs();
  pen.set(kOfxInteractPropPenPosition, {480.0, 540.0});
  pen.set(kOfxInteractPropPenViewportPosition, {10, 20});
  pen.set(kOfxInteractPropPenPressure, {0.75});
  EXPECT_EQ(sendInteract(kOfxInteractActionPenDown, &pen), kOfxStatOK);
  EXPECT_EQ(gSeen.pen.penPosition.x, 480.0);
  EXPECT_EQ(gSeen.pen.penPosition.y, 540.0);
  EXPECT_EQ(gSeen.pen.penViewportPosition.y, 20);
  EXPECT_EQ(gSeen.pen.penPressure, 0.75);
  EXPECT_EQ(gSeen.pen.pixelScale.x, 1.0) << "no pixel scale given: 1";
  EXPECT_EQ(interact->redraws, 1);

  gSeen.accept = false;
  EXPECT_EQ(sendInteract(kOfxInteractActionDraw, &draw), kOfxStatReplyDefault);
  EXPECT_EQ(sendInteract(kOfxInteractActionPenDown, &pen), kOfxStatReplyDefault);
  EXPECT_EQ(sendInteract(kOfxInteractActionPenUp, &pen), kOfxStatReplyDefault) << "base handler uses nothing";
  EXPECT_EQ(sendInteract(kOfxInteractActionKeyUp, &host.newArgs()), kOfxStatReplyDefault);

  fakehost::PropertySetStruct& key = host.newArgs();
  key.set(kOfxPropKeySym, {0x61});
  key.set(kOfxPropKeyString, {std::string("a")});
  EXPECT_EQ(sendInteract(kOfxInteractActionKeyDown, &key), kOfxStatOK);
  EXPECT_EQ(gSeen.key.keySymbol, 0x61);
  EXPECT_EQ(gSeen.key.keyString, "a");
  EXPECT_EQ(sendInteract(kOfxInteractActionGainFocus, &host.newArgs()), kOfxStatOK);
  EXPECT_EQ(gSeen.focusGained, 1);
  EXPECT_EQ(sendInteract("NoSuchAction", &host.newArgs()), kOfxStatReplyDefault);
  sendInteract(kOfxActionDestroyInstance);
}

TEST_F(SupportInteract, InteractWithoutAHostHandleIsInert) {
  RecordingInteract loose(nullptr, instance);
  EXPECT_EQ(loose.getEffect(), instance);
  EXPECT_EQ(loose.getPixelScale().x, 1.0);
  EXPECT_NO_THROW(loose.requestRedraw());
  EXPECT_NO_THROW(loose.addParamToSlaveTo(nullptr));
}

TEST_F(SupportInteract, SlavedParametersAreListedOnTheInteract) {
  host.addParam(*effect, kOfxParamTypeDouble2D, "center", {0.5, 0.5});
  RecordingInteract slaved(FakeHost::handle(*interact), instance);
  slaved.addParamToSlaveTo(instance->fetchDouble2DParam("center"));
  EXPECT_EQ(interact->props.getStrings(kOfxInteractPropSlaveToParam), std::vector<std::string>{"center"});
  interact->props.set(kOfxInteractPropPixelScale, {3.0, 4.0});
  EXPECT_EQ(slaved.getPixelScale().y, 4.0);
}

}  // namespace
