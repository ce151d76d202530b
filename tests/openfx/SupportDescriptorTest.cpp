// Describe and describe-in-context through the main entry: effect properties,
// clips, every parameter descriptor kind, pages and groups.
#include "tests/openfx/SupportTestPlugin.h"

#include "openfx/include/ofxGPURender.h"

#include <gtest/gtest.h>

namespace {

using fakehost::FakeHost;
using supporttest::hooks;
using supporttest::send;

class SupportDescriptor : public ::testing::Test {
 protected:
  void SetUp() override {
    hooks().reset();
    ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
  }
  OfxStatus describeInContext(fakehost::Effect& descriptor, const char* context) {
    fakehost::PropertySetStruct& in = host.newArgs();
    in.set(kOfxImageEffectPropContext, {std::string(context)});
    return send(kOfxImageEffectActionDescribeInContext, FakeHost::handle(descriptor), &in);
  }
  fakehost::Param& param(fakehost::Effect& effect, const std::string& name) {
    return *effect.params.params.at(name);
  }

  FakeHost host;
};

TEST_F(SupportDescriptor, DescribeWritesEffectProperties) {
  hooks().describe = [](OFX::ImageEffectDescriptor& desc) {
    desc.addSupportedContext(OFX::eContextFilter);
    desc.addSupportedContext(OFX::eContextGeneral);
    desc.addSupportedBitDepth(OFX::eBitDepthFloat);
    desc.setSingleInstance(false);
    desc.setHostFrameThreading(false);
    desc.setSupportsMultiResolution(false);
    desc.setSupportsTiles(true);
    desc.setTemporalClipAccess(false);
    desc.setRenderTwiceAlways(false);
    desc.setSupportsMultipleClipPARs(false);
    desc.setNoSpatialAwareness(false);
    desc.setLabel("Edge Bleed");
    desc.setPluginGrouping("Brightmoor");
    desc.setPluginDescription("Extends colours");
    desc.setSupportsCudaRender(true);
    desc.setSupportsCudaStream(true);
    desc.setSupportsOpenCLRender(false);
    desc.setRenderThreadSafety(OFX::eRenderInstanceSafe);
  };
  fakehost::Effect& descriptor = host.newEffect();
  ASSERT_EQ(send(kOfxActionDescribe, FakeHost::handle(descriptor)), kOfxStatOK);
  const auto& p = descriptor.props;
  EXPECT_EQ(p.getStrings(kOfxImageEffectPropSupportedContexts),
            (std::vector<std::string>{"OfxImageEffectContextFilter", "OfxImageEffectContextGeneral"}));
  EXPECT_EQ(p.getStrings(kOfxImageEffectPropSupportedPixelDepths), std::vector<std::string>{"OfxBitDepthFloat"});
  EXPECT_EQ(p.getInt(kOfxImageEffectPluginPropSingleInstance), 0);
  EXPECT_EQ(p.getInt(kOfxImageEffectPluginPropHostFrameThreading), 0);
  EXPECT_EQ(p.getInt(kOfxImageEffectPropSupportsMultiResolution), 0);
  EXPECT_EQ(p.getInt(kOfxImageEffectPropSupportsTiles), 1);
  EXPECT_EQ(p.getInt(kOfxImageEffectPropTemporalClipAccess), 0);
  EXPECT_EQ(p.getInt(kOfxImageEffectPluginPropFieldRenderTwiceAlways), 0);
  EXPECT_EQ(p.getInt(kOfxImageEffectPropSupportsMultipleClipPARs), 0);
  EXPECT_EQ(p.getString("OfxImageEffectPropNoSpatialAwareness"), "false");
  EXPECT_EQ(p.getString(kOfxPropLabel), "Edge Bleed");
  EXPECT_EQ(p.getString(kOfxImageEffectPluginPropGrouping), "Brightmoor");
  EXPECT_EQ(p.getString(kOfxPropPluginDescription), "Extends colours");
  EXPECT_EQ(p.getString(kOfxImageEffectPropCudaRenderSupported), "true");
  EXPECT_EQ(p.getString(kOfxImageEffectPropCudaStreamSupported), "true");
  EXPECT_EQ(p.getString(kOfxImageEffectPropOpenCLRenderSupported), "false");
  EXPECT_FALSE(p.has(kOfxImageEffectPropMetalRenderSupported));
  EXPECT_EQ(p.getString(kOfxImageEffectPluginRenderThreadSafety), kOfxImageEffectRenderInstanceSafe);
}

TEST_F(SupportDescriptor, ClipsAreDefinedOnceWithTheirProperties) {
  hooks().describeInContext = [](OFX::ImageEffectDescriptor& desc, OFX::ContextEnum context) {
    EXPECT_EQ(context, OFX::eContextGeneral);
    OFX::ClipDescriptor* source = desc.defineClip("Source");
    source->addSupportedComponent(OFX::ePixelComponentRGBA);
    source->addSupportedComponent(OFX::ePixelComponentAlpha);
    source->setTemporalClipAccess(false);
    source->setSupportsTiles(true);
    source->setOptional(true);
    source->setIsMask(true);
    EXPECT_EQ(desc.defineClip("Source"), source) << "a repeated name gives the same descriptor";
    desc.defineClip("Output")->addSupportedComponent(OFX::ePixelComponentRGBA);
  };
  fakehost::Effect& descriptor = host.newEffect();
  ASSERT_EQ(describeInContext(descriptor, kOfxImageEffectContextGeneral), kOfxStatOK);
  EXPECT_EQ(descriptor.clipOrder, (std::vector<std::string>{"Source", "Output"}));
  const auto& source = descriptor.clips.at("Source")->props;
  EXPECT_EQ(source.getStrings(kOfxImageEffectPropSupportedComponents),
            (std::vector<std::string>{"OfxImageComponentRGBA", "OfxImageComponentAlpha"}));
  EXPECT_EQ(source.getInt(kOfxImageEffectPropTemporalClipAccess), 0);
  EXPECT_EQ(source.getInt(kOfxImageEffectPropSupportsTiles), 1);
  EXPECT_EQ(source.getInt(kOfxImageClipPropOptional), 1);
  EXPECT_EQ(source.getInt(kOfxImageClipPropIsMask), 1);
  EXPECT_FALSE(descriptor.clips.at("Output")->props.has(kOfxImageClipPropOptional));
}

TEST_F(SupportDescriptor, ParameterDescriptorsWriteTheirProperties) {
  hooks().describeInContext = [](OFX::ImageEffectDescriptor& desc, OFX::ContextEnum) {
    OFX::PageParamDescriptor* page = desc.definePageParam("Main");
    page->setLabels("Main", "Main", "Main");
    OFX::GroupParamDescriptor* group = desc.defineGroupParam("Edge");
    group->setOpen(false);
    group->setHint("Edge settings");
    page->addChild(*group);

    OFX::DoubleParamDescriptor* blend = desc.defineDoubleParam("Blend");
    blend->setLabels("Blend", "Bl", "Blend amount");
    blend->setRange(0, 1);
    blend->setDisplayRange(0, 0.5);
    blend->setDefault(1.0);
    blend->setIncrement(0.01);
    blend->setDigits(3);
    blend->setDoubleType(OFX::eDoubleTypeScale);
    blend->setParent(*group);
    blend->setAnimates(true);
    blend->setEvaluateOnChange(false);
    page->addChild(*blend);

    OFX::IntParamDescriptor* count = desc.defineIntParam("count");
    count->setRange(0, 10);
    count->setDisplayRange(1, 9);
    count->setDefault(2);

    OFX::Double2DParamDescriptor* centre = desc.defineDouble2DParam("center");
    centre->setDoubleType(OFX::eDoubleTypeXYAbsolute);
    centre->setDefaultCoordinateSystem(OFX::eCoordinatesNormalised);
    centre->setRange(0, 0, 1, 1);
    centre->setDisplayRange(-1, -2, 3, 4);
    centre->setDefault(0.5, 0.25);

    OFX::Double3DParamDescriptor* vec = desc.defineDouble3DParam("vec");
    vec->setRange(0, 0, 0, 1, 1, 1);
    vec->setDefault(0.1, 0.2, 0.3);

    desc.defineRGBParam("tint")->setDefault(1, 0.5, 0);
    desc.defineRGBAParam("fill")->setDefault(0, 0, 0, 1);
    desc.defineBooleanParam("inside")->setDefault(true);

    OFX::StringParamDescriptor* path = desc.defineStringParam("path");
    path->setDefault("/tmp/x.exr");
    path->setStringType(OFX::eStringTypeFilePath);
    path->setFilePathExists(true);

    OFX::PushButtonParamDescriptor* button = desc.definePushButtonParam("save_preset");
    button->setHint("Save current parameters");
    button->setIsSecret(true);
    button->setLayoutHint(OFX::eLayoutHintNoNewLine, 3);

    OFX::ParametricParamDescriptor* curve = desc.defineParametricParam("falloff");
    curve->setDimension(1);
    curve->setRange(0, 1);
    curve->addControlPoint(0, 0.0, 0.0, 0.0, false);
    curve->addControlPoint(0, 0.0, 1.0, 1.0, false);

    EXPECT_EQ(desc.getParamDescriptor("Blend"), blend);
    EXPECT_EQ(desc.getParamDescriptor("nothing"), nullptr);
    EXPECT_EQ(desc.defineDoubleParam("Blend"), blend) << "a repeated name gives the same descriptor";
    EXPECT_THROW(desc.defineIntParam("Blend"), OFX::Exception::TypeRequest);
  };
  fakehost::Effect& d = host.newEffect();
  ASSERT_EQ(describeInContext(d, kOfxImageEffectContextFilter), kOfxStatOK);

  EXPECT_EQ(d.params.order, (std::vector<std::string>{"Main", "Edge", "Blend", "count", "center", "vec", "tint",
                                                      "fill", "inside", "path", "save_preset", "falloff"}));
  EXPECT_EQ(param(d, "Main").props.getStrings(kOfxParamPropPageChild), (std::vector<std::string>{"Edge", "Blend"}));
  EXPECT_EQ(param(d, "Main").props.getString(kOfxPropLongLabel), "Main");
  EXPECT_EQ(param(d, "Edge").props.getInt(kOfxParamPropGroupOpen), 0);
  EXPECT_EQ(param(d, "Edge").props.getString(kOfxParamPropHint), "Edge settings");

  const auto& blend = param(d, "Blend").props;
  EXPECT_EQ(blend.getString(kOfxParamPropType), kOfxParamTypeDouble);
  EXPECT_EQ(blend.getString(kOfxPropLabel), "Blend");
  EXPECT_EQ(blend.getString(kOfxPropShortLabel), "Bl");
  EXPECT_EQ(blend.getString(kOfxPropLongLabel), "Blend amount");
  EXPECT_EQ(blend.getDouble(kOfxParamPropMin), 0.0);
  EXPECT_EQ(blend.getDouble(kOfxParamPropMax), 1.0);
  EXPECT_EQ(blend.getDouble(kOfxParamPropDisplayMax), 0.5);
  EXPECT_EQ(blend.getDouble(kOfxParamPropDefault), 1.0);
  EXPECT_EQ(blend.getDouble(kOfxParamPropIncrement), 0.01);
  EXPECT_EQ(blend.getInt(kOfxParamPropDigits), 3);
  EXPECT_EQ(blend.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypeScale);
  EXPECT_EQ(blend.getString(kOfxParamPropParent), "Edge");
  EXPECT_EQ(blend.getInt(kOfxParamPropAnimates), 1);
  EXPECT_EQ(blend.getInt(kOfxParamPropEvaluateOnChange), 0);

  const auto& count = param(d, "count").props;
  EXPECT_EQ(count.getInt(kOfxParamPropMin), 0);
  EXPECT_EQ(count.getInt(kOfxParamPropMax), 10);
  EXPECT_EQ(count.getInt(kOfxParamPropDisplayMin), 1);
  EXPECT_EQ(count.getInt(kOfxParamPropDefault), 2);

  const auto& centre = param(d, "center").props;
  EXPECT_EQ(centre.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypeXYAbsolute);
  EXPECT_EQ(centre.getString(kOfxParamPropDefaultCoordinateSystem), kOfxParamCoordinatesNormalised);
  EXPECT_EQ(centre.getDouble(kOfxParamPropDisplayMin, 1), -2.0);
  EXPECT_EQ(centre.getDouble(kOfxParamPropDisplayMax, 0), 3.0);
  EXPECT_EQ(centre.getDouble(kOfxParamPropDefault, 0), 0.5);
  EXPECT_EQ(centre.getDouble(kOfxParamPropDefault, 1), 0.25);
  EXPECT_EQ(param(d, "vec").props.getDouble(kOfxParamPropDefault, 2), 0.3);
  EXPECT_EQ(param(d, "vec").props.getDouble(kOfxParamPropMax, 2), 1.0);
  EXPECT_EQ(param(d, "tint").props.getDouble(kOfxParamPropDefault, 1), 0.5);
  EXPECT_EQ(param(d, "fill").props.getDouble(kOfxParamPropDefault, 3), 1.0);
  EXPECT_EQ(param(d, "inside").props.getInt(kOfxParamPropDefault), 1);

  const auto& path = param(d, "path").props;
  EXPECT_EQ(path.getString(kOfxParamPropDefault), "/tmp/x.exr");
  EXPECT_EQ(path.getString(kOfxParamPropStringMode), kOfxParamStringIsFilePath);
  EXPECT_EQ(path.getInt(kOfxParamPropStringFilePathExists), 1);

  const auto& button = param(d, "save_preset").props;
  EXPECT_EQ(button.getString(kOfxParamPropType), kOfxParamTypePushButton);
  EXPECT_EQ(button.getInt(kOfxParamPropSecret), 1);
  EXPECT_EQ(button.getInt(kOfxParamPropLayoutHint), OFX::eLayoutHintNoNewLine);
  EXPECT_EQ(button.getInt(kOfxParamPropLayoutPadWidth), 3);

  const auto& curve = param(d, "falloff").props;
  EXPECT_EQ(curve.getInt(kOfxParamPropParametricDimension), 1);
  EXPECT_EQ(curve.getDouble(kOfxParamPropParametricRange, 1), 1.0);
  ASSERT_EQ(curve.dimension("test:controlPoints"), 10);
  EXPECT_EQ(curve.getDouble("test:controlPoints", 7), 1.0) << "second point's x";
  EXPECT_EQ(curve.getInt("test:controlPoints", 9), 0) << "added without a key";
}

TEST_F(SupportDescriptor, ControlPointsNeedTheParametricSuite) {
  FakeHost noParametric;
  noParametric.offerParametricSuite = false;
  ASSERT_EQ(supporttest::loadInto(noParametric), kOfxStatOK);
  hooks().describeInContext = [](OFX::ImageEffectDescriptor& desc, OFX::ContextEnum) {
    desc.defineParametricParam("falloff")->addControlPoint(0, 0.0, 0.0, 0.0, false);
  };
  fakehost::Effect& d = noParametric.newEffect();
  fakehost::PropertySetStruct& in = noParametric.newArgs();
  in.set(kOfxImageEffectPropContext, {std::string(kOfxImageEffectContextFilter)});
  EXPECT_EQ(send(kOfxImageEffectActionDescribeInContext, FakeHost::handle(d), &in), kOfxStatErrMissingHostFeature);
}

}  // namespace
