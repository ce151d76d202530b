// A plug-in built only on the support library, loaded by the project's host
// in SupportHostTest. Each processing entry leaves a different picture so the
// test can see which one ran; the "failure" choice makes render throw.

#include "openfx/support/Support.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace {

constexpr float kCudaColour[4] = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr float kOpenCLColour[4] = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr float kMetalColour[4] = {1.0f, 0.0f, 0.0f, 1.0f};

class ProbeProcessor : public OFX::ImageProcessor {
 public:
  ProbeProcessor(OFX::ImageEffect& effect, OFX::Image* source) : OFX::ImageProcessor(effect), source_(source) {}

  void processImagesCUDA() override { fill(kCudaColour); }
  void processImagesOpenCL() override { fill(kOpenCLColour); }
  void processImagesMetal() override { fill(kMetalColour); }
  void multiThreadProcessImages(OfxRectI window) override {
    for (int y = window.y1; y < window.y2 && !_effect.abort(); ++y) {
      void* to = _dstImg->getPixelAddress(window.x1, y);
      void* from = source_ != nullptr ? source_->getPixelAddress(window.x1, y) : nullptr;
      if (to != nullptr && from != nullptr) std::memcpy(to, from, static_cast<std::size_t>(window.x2 - window.x1) * 16);
    }
  }

 private:
  void fill(const float* colour) {
    const OfxRectI& b = _dstImg->getBounds();
    for (int y = b.y1; y < b.y2; ++y)
      for (int x = b.x1; x < b.x2; ++x) std::memcpy(_dstImg->getPixelAddress(x, y), colour, 16);
  }
  OFX::Image* source_;
};

class ProbeEffect : public OFX::ImageEffect {
 public:
  explicit ProbeEffect(OfxImageEffectHandle handle) : OFX::ImageEffect(handle) {}

  void render(const OFX::RenderArguments& args) override {
    switch (fetchChoiceParam("failure")->getValueAtTime(args.time)) {
      case 1: throw std::runtime_error("probe failure");
      case 2: throw std::bad_alloc();
      case 3: fetchDoubleParam("not_there"); break;
      case 4: OFX::throwSuiteStatusException(kOfxStatErrValue);
      default: break;
    }
    OFX::Clip* output = fetchClip(kOfxImageEffectOutputClipName);
    if (output->getPixelDepth() != OFX::eBitDepthFloat || output->getPixelComponents() != OFX::ePixelComponentRGBA)
      OFX::throwSuiteStatusException(kOfxStatErrUnsupported);
    std::unique_ptr<OFX::Image> destination(output->fetchImage(args.time));
    std::unique_ptr<OFX::Image> source(fetchClip("Source")->fetchImage(args.time));
    if (!destination) throw std::runtime_error("no output image");
    ProbeProcessor processor(*this, source.get());
    processor.setDstImg(destination.get());
    processor.setRenderWindow(args.renderWindow);
    processor.setGPURenderArgs(args);
    processor.process();
  }

  bool isIdentity(const OFX::IsIdentityArguments& args, OFX::Clip*& clip, double& time) override {
    if (fetchDoubleParam("Blend")->getValueAtTime(args.time) != 0.0) return false;
    clip = fetchClip("Source");
    time = args.time;
    return true;
  }

  void changedParam(const OFX::InstanceChangedArgs&, const std::string& name) override {
    if (name != "refill") return;
    OFX::ChoiceParam* mode = fetchChoiceParam("mode");
    beginEditBlock("Refill");
    mode->resetOptions();
    for (const char* option : {"One", "Two", "Three"}) mode->appendOption(option);
    mode->setValue(2);
    endEditBlock();
    fetchStringParam("path")->setIsSecret(true);
  }
};

class ProbeOverlay : public OFX::OverlayInteract {
 public:
  ProbeOverlay(OfxInteractHandle handle, OFX::ImageEffect* effect) : OFX::OverlayInteract(handle, effect) {}

  bool draw(const OFX::DrawArgs& args) override {
    const OfxDrawSuiteV1* suite = OFX::getDrawSuite();
    if (suite == nullptr || args.drawContext == nullptr) return false;
    const OfxPointD centre = _effect->fetchDouble2DParam("center")->getValueAtTime(args.time);
    const OfxPointD points[2] = {{centre.x - 10 * args.pixelScale.x, centre.y},
                                 {centre.x + 10 * args.pixelScale.x, centre.y}};
    suite->draw(args.drawContext, kOfxDrawPrimitiveLines, points, 2);
    return true;
  }
  bool penDown(const OFX::PenArgs& args) override {
    _effect->beginEditBlock("Drag center");
    _effect->fetchDouble2DParam("center")->setValue(args.penPosition.x, args.penPosition.y);
    _effect->endEditBlock();
    requestRedraw();
    return true;
  }
};

class ProbeOverlayDescriptor : public OFX::DefaultEffectOverlayDescriptor<ProbeOverlayDescriptor, ProbeOverlay> {};

class ProbeFactory : public OFX::PluginFactoryHelper<ProbeFactory> {
 public:
  ProbeFactory() : OFX::PluginFactoryHelper<ProbeFactory>("com.test.support_probe", 1, 3) {}

  void describe(OFX::ImageEffectDescriptor& desc) override {
    desc.setLabel("Support Probe");
    desc.setPluginGrouping("Tests");
    desc.setPluginDescription("Exercises the support library");
    desc.addSupportedContext(OFX::eContextFilter);
    desc.addSupportedContext(OFX::eContextGeneral);
    desc.addSupportedBitDepth(OFX::eBitDepthFloat);
    desc.setSingleInstance(false);
    desc.setHostFrameThreading(false);
    desc.setSupportsMultiResolution(false);
    desc.setSupportsTiles(false);
    desc.setTemporalClipAccess(false);
    desc.setRenderTwiceAlways(false);
    desc.setSupportsMultipleClipPARs(false);
    desc.setNoSpatialAwareness(false);
    desc.setSupportsCudaRender(true);
    desc.setSupportsCudaStream(true);
    const OFX::ImageEffectHostDescription* host = OFX::getImageEffectHostDescription();
    if (host != nullptr && host->supportsOverlays) desc.setOverlayInteractDescriptor(new ProbeOverlayDescriptor);
  }

  void describeInContext(OFX::ImageEffectDescriptor& desc, OFX::ContextEnum) override {
    OFX::ClipDescriptor* source = desc.defineClip("Source");
    source->addSupportedComponent(OFX::ePixelComponentRGBA);
    source->setTemporalClipAccess(false);
    source->setSupportsTiles(true);
    OFX::ClipDescriptor* matte = desc.defineClip("Matte");
    matte->addSupportedComponent(OFX::ePixelComponentRGBA);
    matte->setOptional(true);
    matte->setIsMask(true);
    OFX::ClipDescriptor* output = desc.defineClip(kOfxImageEffectOutputClipName);
    output->addSupportedComponent(OFX::ePixelComponentRGBA);
    output->setSupportsTiles(true);

    OFX::PageParamDescriptor* page = desc.definePageParam("Main");
    page->setLabels("Main", "Main", "Main");
    OFX::GroupParamDescriptor* group = desc.defineGroupParam("Edge");
    group->setLabels("Edge", "Edge", "Edge");
    group->setOpen(false);
    page->addChild(*group);

    OFX::ChoiceParamDescriptor* mode = desc.defineChoiceParam("mode");
    mode->setLabels("Mode", "Mode", "Mode");
    mode->setHint("How the edge is extended");
    mode->appendOption("Stretch", "Stretch");
    mode->appendOption("Mirror", "Reflect");
    mode->setDefault(1);
    mode->setParent(*group);

    OFX::ChoiceParamDescriptor* failure = desc.defineChoiceParam("failure");
    for (const char* option : {"none", "runtime", "memory", "missing", "value"}) failure->appendOption(option);
    failure->setDefault(0);

    OFX::DoubleParamDescriptor* blend = desc.defineDoubleParam("Blend");
    blend->setLabels("Blend", "Blend", "Blend");
    blend->setRange(0, 1);
    blend->setDisplayRange(0, 1);
    blend->setDefault(1.0);
    blend->setIncrement(0.01);
    blend->setParent(*group);

    OFX::IntParamDescriptor* count = desc.defineIntParam("count");
    count->setRange(0, 10);
    count->setDisplayRange(0, 10);
    count->setDefault(2);
    desc.defineBooleanParam("inside")->setDefault(true);
    desc.defineStringParam("name")->setDefault("probe");
    OFX::StringParamDescriptor* path = desc.defineStringParam("path");
    path->setStringType(OFX::eStringTypeFilePath);
    path->setFilePathExists(false);
    OFX::Double2DParamDescriptor* centre = desc.defineDouble2DParam("center");
    centre->setDoubleType(OFX::eDoubleTypeXYAbsolute);
    centre->setDefaultCoordinateSystem(OFX::eCoordinatesNormalised);
    centre->setDefault(0.5, 0.5);
    desc.defineDouble3DParam("vec")->setDefault(1, 2, 3);
    desc.defineRGBParam("tint")->setDefault(1, 0.5, 0.25);
    desc.defineRGBAParam("fill")->setDefault(0, 0, 0, 1);
    desc.definePushButtonParam("refill")->setHint("Replace the mode options");
    OFX::ParametricParamDescriptor* curve = desc.defineParametricParam("falloff");
    curve->setDimension(1);
    curve->setRange(0, 1);
    curve->addControlPoint(0, 0.0, 0.0, 0.0, false);
    curve->addControlPoint(0, 0.0, 0.5, 0.75, false);
    curve->addControlPoint(0, 0.0, 1.0, 1.0, false);
  }

  OFX::ImageEffect* createInstance(OfxImageEffectHandle handle, OFX::ContextEnum) override {
    return new ProbeEffect(handle);
  }
};

}  // namespace

void OFX::Plugin::getPluginIDs(OFX::PluginFactoryArray& factories) {
  static ProbeFactory factory;
  factories.push_back(&factory);
}
