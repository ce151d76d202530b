// Effect instances through the main entry: creation and destruction, the
// arguments of render, identity and instance-changed actions, and the
// instance's parameters, clips and images.
#include "tests/openfx/SupportTestPlugin.h"

#include "openfx/include/ofxGPURender.h"

#include <gtest/gtest.h>

namespace {

using fakehost::FakeHost;
using supporttest::hooks;
using supporttest::send;

class SupportInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    hooks().reset();
    ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
    effect = &host.newEffect(kOfxImageEffectContextGeneral);
    host.addClip(*effect, "Source");
    host.addClip(*effect, "Output");
    ASSERT_EQ(send(kOfxActionCreateInstance, FakeHost::handle(*effect)), kOfxStatOK);
    instance = static_cast<OFX::ImageEffect*>(effect->props.getPointer(kOfxPropInstanceData));
    ASSERT_NE(instance, nullptr);
  }
  void TearDown() override {
    if (effect->props.getPointer(kOfxPropInstanceData) != nullptr)
      send(kOfxActionDestroyInstance, FakeHost::handle(*effect));
  }
  OfxStatus sendToInstance(const char* action, fakehost::PropertySetStruct* in = nullptr,
                           fakehost::PropertySetStruct* out = nullptr) {
    return send(action, FakeHost::handle(*effect), in != nullptr ? in : &host.newArgs(), out);
  }

  FakeHost host;
  fakehost::Effect* effect = nullptr;
  OFX::ImageEffect* instance = nullptr;
};

TEST_F(SupportInstance, CreationPassesTheContextAndDestructionDeletesTheInstance) {
  EXPECT_EQ(hooks().createdContext, OFX::eContextGeneral);
  EXPECT_EQ(instance->getContext(), OFX::eContextGeneral);
  EXPECT_EQ(instance->getHandle(), FakeHost::handle(*effect));
  EXPECT_DOUBLE_EQ(instance->getFrameRate(), 25.0);
  EXPECT_EQ(hooks().instancesCreated, 1);
  ASSERT_EQ(send(kOfxActionDestroyInstance, FakeHost::handle(*effect)), kOfxStatOK);
  EXPECT_EQ(hooks().instancesDestroyed, 1);
  EXPECT_EQ(effect->props.getPointer(kOfxPropInstanceData), nullptr);
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionRender), kOfxStatErrBadHandle) << "no instance any more";
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionGetClipPreferences), kOfxStatReplyDefault);
}

TEST_F(SupportInstance, RenderReceivesEveryArgument) {
  int stream = 0;
  fakehost::PropertySetStruct& in = host.newArgs();
  in.set(kOfxPropTime, {10.5});
  in.set(kOfxImageEffectPropRenderWindow, {1, 2, 30, 40});
  in.set(kOfxImageEffectPropRenderScale, {0.5, 0.25});
  in.set(kOfxImageEffectPropFieldToRender, {std::string(kOfxImageFieldBoth)});
  in.set(kOfxImageEffectPropSequentialRenderStatus, {1});
  in.set(kOfxImageEffectPropInteractiveRenderStatus, {1});
  in.set(kOfxImageEffectPropCudaEnabled, {1});
  in.set(kOfxImageEffectPropCudaStream, {static_cast<void*>(&stream)});
  ASSERT_EQ(sendToInstance(kOfxImageEffectActionRender, &in), kOfxStatOK);
  const OFX::RenderArguments& args = hooks().lastRender;
  EXPECT_EQ(args.time, 10.5);
  EXPECT_EQ(args.renderWindow.x1, 1);
  EXPECT_EQ(args.renderWindow.y1, 2);
  EXPECT_EQ(args.renderWindow.x2, 30);
  EXPECT_EQ(args.renderWindow.y2, 40);
  EXPECT_EQ(args.renderScale.x, 0.5);
  EXPECT_EQ(args.renderScale.y, 0.25);
  EXPECT_EQ(args.fieldToRender, OFX::eFieldBoth);
  EXPECT_TRUE(args.sequentialRenderStatus);
  EXPECT_TRUE(args.interactiveRenderStatus);
  EXPECT_TRUE(args.isEnabledCudaRender);
  EXPECT_EQ(args.pCudaStream, &stream);
  EXPECT_FALSE(args.isEnabledOpenCLRender) << "GPU modes the host leaves out are off";
  EXPECT_FALSE(args.isEnabledMetalRender);
  EXPECT_EQ(args.pMetalCmdQ, nullptr);
}

TEST_F(SupportInstance, IdentityAnswersWithTheClipNameAndTime) {
  hooks().isIdentity = [](OFX::ImageEffect& self, const OFX::IsIdentityArguments& args, OFX::Clip*& clip,
                          double& time) {
    clip = self.fetchClip("Source");
    time = args.time + 1;
    return args.time > 5;
  };
  fakehost::PropertySetStruct& in = host.newArgs();
  in.set(kOfxPropTime, {7.0});
  fakehost::PropertySetStruct& out = host.newArgs();
  ASSERT_EQ(sendToInstance(kOfxImageEffectActionIsIdentity, &in, &out), kOfxStatOK);
  EXPECT_EQ(out.getString(kOfxPropName), "Source");
  EXPECT_EQ(out.getDouble(kOfxPropTime), 8.0);

  fakehost::PropertySetStruct& early = host.newArgs();
  early.set(kOfxPropTime, {1.0});
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionIsIdentity, &early, &host.newArgs()), kOfxStatReplyDefault);
}

TEST_F(SupportInstance, IdentityWithoutAClipIsNoIdentity) {
  hooks().isIdentity = [](OFX::ImageEffect&, const OFX::IsIdentityArguments&, OFX::Clip*& clip, double&) {
    clip = nullptr;
    return true;
  };
  fakehost::PropertySetStruct& out = host.newArgs();
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionIsIdentity, nullptr, &out), kOfxStatReplyDefault);
  EXPECT_FALSE(out.has(kOfxPropName));
}

TEST_F(SupportInstance, InstanceChangesReachTheirHandlers) {
  fakehost::PropertySetStruct& bracket = host.newArgs();
  bracket.set(kOfxPropChangeReason, {std::string(kOfxChangeUserEdited)});
  fakehost::PropertySetStruct& param = host.newArgs();
  param.set(kOfxPropType, {std::string("OfxTypeParameter")});
  param.set(kOfxPropName, {std::string("save_preset")});
  param.set(kOfxPropChangeReason, {std::string(kOfxChangeUserEdited)});
  param.set(kOfxPropTime, {3.0});
  fakehost::PropertySetStruct& clip = host.newArgs();
  clip.set(kOfxPropType, {std::string(kOfxTypeClip)});
  clip.set(kOfxPropName, {std::string("Source")});
  clip.set(kOfxPropChangeReason, {std::string(kOfxChangePluginEdited)});
  EXPECT_EQ(sendToInstance(kOfxActionBeginInstanceChanged, &bracket), kOfxStatOK);
  EXPECT_EQ(sendToInstance(kOfxActionInstanceChanged, &param), kOfxStatOK);
  EXPECT_EQ(sendToInstance(kOfxActionInstanceChanged, &clip), kOfxStatOK);
  EXPECT_EQ(sendToInstance(kOfxActionEndInstanceChanged, &bracket), kOfxStatOK);
  EXPECT_EQ(hooks().changedParams, std::vector<std::string>{"save_preset@3:user"});
  EXPECT_EQ(hooks().changedClips, std::vector<std::string>{"Source:plugin"});
  EXPECT_EQ(hooks().instanceChangeBrackets, (std::vector<std::string>{"begin:user", "end:user"}));
}

TEST_F(SupportInstance, UnhandledActionsTakeTheHostDefault) {
  for (const char* action : {kOfxImageEffectActionGetRegionOfDefinition, kOfxImageEffectActionGetRegionsOfInterest,
                             kOfxImageEffectActionGetClipPreferences, kOfxImageEffectActionGetTimeDomain,
                             kOfxImageEffectActionGetFramesNeeded, kOfxActionBeginInstanceEdit, "NoSuchAction"}) {
    EXPECT_EQ(sendToInstance(action, nullptr, &host.newArgs()), kOfxStatReplyDefault) << action;
  }
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionBeginSequenceRender), kOfxStatOK);
  EXPECT_EQ(sendToInstance(kOfxImageEffectActionEndSequenceRender), kOfxStatOK);
  EXPECT_EQ(sendToInstance(kOfxActionPurgeCaches), kOfxStatOK);
}

TEST_F(SupportInstance, ParametersAreFetchedByKindAndKeepTheirValues) {
  host.addParam(*effect, kOfxParamTypeDouble, "Blend", {0.3});
  host.addParam(*effect, kOfxParamTypeInteger, "count", {4});
  host.addParam(*effect, kOfxParamTypeBoolean, "inside", {1});
  host.addParam(*effect, kOfxParamTypeChoice, "mode", {1});
  host.addParam(*effect, kOfxParamTypeString, "preset_name", {std::string("Soft Edge")});
  host.addParam(*effect, kOfxParamTypeDouble2D, "center", {0.25, 0.75});
  host.addParam(*effect, kOfxParamTypeDouble3D, "vec", {1.0, 2.0, 3.0});
  host.addParam(*effect, kOfxParamTypeRGB, "tint", {0.1, 0.2, 0.3});
  host.addParam(*effect, kOfxParamTypeRGBA, "fill", {0.1, 0.2, 0.3, 0.4});
  host.addParam(*effect, kOfxParamTypePushButton, "save_preset", {});

  OFX::DoubleParam* blend = instance->fetchDoubleParam("Blend");
  EXPECT_EQ(instance->fetchDoubleParam("Blend"), blend) << "one object per name";
  EXPECT_DOUBLE_EQ(blend->getValue(), 0.3);
  EXPECT_DOUBLE_EQ(blend->getValueAtTime(12.0), 0.3);
  EXPECT_EQ(effect->params.params.at("Blend")->lastTimeRead, 12.0);
  blend->setValue(0.9);
  EXPECT_DOUBLE_EQ(blend->getValue(), 0.9);

  OFX::IntParam* count = instance->fetchIntParam("count");
  count->setValueAtTime(1.0, 7);
  EXPECT_EQ(count->getValueAtTime(1.0), 7);
  EXPECT_TRUE(instance->fetchBooleanParam("inside")->getValue());
  instance->fetchBooleanParam("inside")->setValue(false);
  EXPECT_FALSE(instance->fetchBooleanParam("inside")->getValueAtTime(0.0));
  EXPECT_EQ(instance->fetchChoiceParam("mode")->getValueAtTime(0.0), 1);
  EXPECT_EQ(instance->fetchStringParam("preset_name")->getValue(), "Soft Edge");
  instance->fetchStringParam("preset_name")->setValue("Hard");
  EXPECT_EQ(instance->fetchStringParam("preset_name")->getValueAtTime(0.0), "Hard");

  OFX::Double2DParam* centre = instance->fetchDouble2DParam("center");
  EXPECT_DOUBLE_EQ(centre->getValueAtTime(0.0).y, 0.75);
  centre->setValue(0.5, 0.5);
  double x = 0, y = 0;
  centre->getValue(x, y);
  EXPECT_DOUBLE_EQ(x, 0.5);
  double a = 0, b = 0, c = 0, d = 0;
  instance->fetchDouble3DParam("vec")->getValueAtTime(0.0, a, b, c);
  EXPECT_DOUBLE_EQ(c, 3.0);
  instance->fetchRGBParam("tint")->setValue(1, 0, 0);
  EXPECT_DOUBLE_EQ(instance->fetchRGBParam("tint")->getValue().r, 1.0);
  instance->fetchRGBAParam("fill")->getValueAtTime(0.0, a, b, c, d);
  EXPECT_DOUBLE_EQ(d, 0.4);
  EXPECT_NE(instance->fetchPushButtonParam("save_preset"), nullptr);
}

TEST_F(SupportInstance, MissingOrMismatchedParametersThrow) {
  host.addParam(*effect, kOfxParamTypeInteger, "count", {4});
  EXPECT_THROW(instance->fetchDoubleParam("Blend"), OFX::Exception::NotFound);
  EXPECT_THROW(instance->fetchDoubleParam("count"), OFX::Exception::TypeRequest);
  EXPECT_NE(instance->fetchIntParam("count"), nullptr);
  EXPECT_THROW(instance->fetchChoiceParam("count"), OFX::Exception::TypeRequest) << "cached as another kind";
  EXPECT_TRUE(instance->paramExists("count"));
  EXPECT_FALSE(instance->paramExists("Blend"));
}

TEST_F(SupportInstance, ChoiceOptionsSecretFlagAndEditBlocks) {
  fakehost::Param& list = host.addParam(*effect, kOfxParamTypeChoice, "preset_list", {0});
  list.props.set(kOfxParamPropChoiceOption, {std::string("(no presets found)")});
  list.props.set(kOfxParamPropSecret, {0});
  OFX::ChoiceParam* choice = instance->fetchChoiceParam("preset_list");
  EXPECT_EQ(choice->getOptionCount(), 1);
  choice->resetOptions();
  EXPECT_EQ(choice->getOptionCount(), 0);
  choice->appendOption("Select from 2 presets", "");
  choice->appendOption(">> Load Defaults <<");
  EXPECT_EQ(list.props.getStrings(kOfxParamPropChoiceOption),
            (std::vector<std::string>{"Select from 2 presets", ">> Load Defaults <<"}));
  EXPECT_EQ(choice->getOption(1), ">> Load Defaults <<");
  choice->setValue(1);
  EXPECT_EQ(choice->getValue(), 1);
  choice->setIsSecret(true);
  EXPECT_EQ(list.props.getInt(kOfxParamPropSecret), 1);
  EXPECT_TRUE(choice->getIsSecret());

  instance->beginEditBlock("Drag center");
  instance->endEditBlock();
  EXPECT_EQ(effect->params.editLog, (std::vector<std::string>{"begin:Drag center", "end"}));
}

TEST_F(SupportInstance, ClipsAndImages) {
  EXPECT_THROW(instance->fetchClip("Matte"), OFX::Exception::NotFound);
  OFX::Clip* source = instance->fetchClip("Source");
  EXPECT_EQ(instance->fetchClip("Source"), source);
  EXPECT_EQ(source->name(), "Source");
  EXPECT_TRUE(source->isConnected());
  EXPECT_EQ(source->getPixelDepth(), OFX::eBitDepthFloat);
  EXPECT_EQ(source->getPixelComponents(), OFX::ePixelComponentRGBA);
  effect->clips.at("Source")->rod = OfxRectD{0, 0, 2048, 1024};
  EXPECT_EQ(source->getRegionOfDefinition(0.0).x2, 2048);

  EXPECT_EQ(source->fetchImage(0.0), nullptr) << "no image: kOfxStatFailed means none";
  effect->clips.at("Source")->fetchStatus = kOfxStatErrMemory;
  EXPECT_THROW(source->fetchImage(0.0), OFX::Exception::Suite);
  effect->clips.at("Source")->fetchStatus = kOfxStatOK;

  fakehost::Image& pixels = host.giveImage(*effect->clips.at("Source"), OfxRectI{10, 20, 14, 23}, 0.5f, 32);
  {
    std::unique_ptr<OFX::Image> image(source->fetchImage(1.0));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getPixelData(), pixels.pixels.data());
    EXPECT_EQ(image->getRowBytes(), 4 * 16 + 32);
    EXPECT_EQ(image->getBounds().x1, 10);
    EXPECT_EQ(image->getBounds().y2, 23);
    EXPECT_EQ(image->getPixelDepth(), OFX::eBitDepthFloat);
    EXPECT_EQ(image->getPixelComponents(), OFX::ePixelComponentRGBA);
    EXPECT_EQ(image->getPixelBytes(), 16);
    EXPECT_EQ(image->getPixelAspectRatio(), 1.0);
    const char* base = static_cast<const char*>(image->getPixelData());
    EXPECT_EQ(image->getPixelAddress(10, 20), base);
    EXPECT_EQ(image->getPixelAddress(12, 21), base + 96 + 2 * 16);
    EXPECT_EQ(image->getPixelAddress(14, 20), nullptr);
    EXPECT_EQ(image->getPixelAddress(10, 19), nullptr);
    EXPECT_EQ(host.imagesReleased.load(), 0);
  }
  EXPECT_EQ(host.imagesReleased.load(), 1) << "deleting the image releases it to the host";
}

}  // namespace
