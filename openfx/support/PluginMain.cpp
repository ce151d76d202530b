// The plug-in binary's exported entry points and the action dispatcher.
//
// Both live in this one object file on purpose: every factory's main entry
// (PluginFactoryHelper) calls Private::mainEntry, so linking any plug-in
// against the static library pulls this file in, and with it the two
// exported functions the host looks for.

#include "openfx/support/PluginFactory.h"

#include "openfx/support/Exception.h"
#include "openfx/support/HostDescription.h"
#include "openfx/support/PropertySet.h"
#include "openfx/support/Suites.h"

#include "openfx/include/ofxGPURender.h"

#include <mutex>
#include <vector>

namespace OFX {
namespace {

// The factories of this binary and their plug-in records, built once.
struct PluginRegistry {
  std::mutex mutex;
  bool initialised = false;
  PluginFactoryArray factories;
  std::vector<OfxPlugin> records;
};

PluginRegistry& registry() {
  static PluginRegistry instance;
  return instance;
}

void setHostEntry(OfxHost* host) { Private::setHost(host); }

// Builds the factory list on the first call. A throwing getPluginIDs leaves
// the binary with no plug-ins: the exception is contained here, the plug-in
// decides how to report it, and the hook is not called again.
PluginRegistry& initialisedRegistry() {
  PluginRegistry& reg = registry();
  std::lock_guard<std::mutex> lock(reg.mutex);
  if (reg.initialised) return reg;
  reg.initialised = true;
  try {
    Plugin::getPluginIDs(reg.factories);
    for (PluginFactory* factory : reg.factories) {
      if (factory == nullptr) continue;
      OfxPlugin record{};
      record.pluginApi = kOfxImageEffectPluginApi;
      record.apiVersion = kOfxImageEffectPluginApiVersion;
      record.pluginIdentifier = factory->getID().c_str();
      record.pluginVersionMajor = factory->getMajorVersion();
      record.pluginVersionMinor = factory->getMinorVersion();
      record.setHost = &setHostEntry;
      record.mainEntry = factory->getMainEntry();
      reg.records.push_back(record);
    }
  } catch (...) {
    reg.factories.clear();
    reg.records.clear();
  }
  return reg;
}

// --- reading action arguments

OfxPointD readScale(const PropertySet& args) {
  OfxPointD scale{args.propGetDouble(kOfxImageEffectPropRenderScale, 0, false),
                  args.propGetDouble(kOfxImageEffectPropRenderScale, 1, false)};
  if (scale.x <= 0.0) scale.x = 1.0;
  if (scale.y <= 0.0) scale.y = 1.0;
  return scale;
}

OfxRectI readWindow(const PropertySet& args) {
  return OfxRectI{args.propGetInt(kOfxImageEffectPropRenderWindow, 0, false),
                  args.propGetInt(kOfxImageEffectPropRenderWindow, 1, false),
                  args.propGetInt(kOfxImageEffectPropRenderWindow, 2, false),
                  args.propGetInt(kOfxImageEffectPropRenderWindow, 3, false)};
}

bool readFlag(const PropertySet& args, const char* property) { return args.propGetInt(property, 0, false) != 0; }

RenderArguments readRenderArguments(const PropertySet& args) {
  RenderArguments render;
  render.time = args.propGetDouble(kOfxPropTime, 0, false);
  render.renderScale = readScale(args);
  render.renderWindow = readWindow(args);
  render.fieldToRender = mapFieldStringToEnum(args.propGetString(kOfxImageEffectPropFieldToRender, 0, false));
  render.sequentialRenderStatus = readFlag(args, kOfxImageEffectPropSequentialRenderStatus);
  render.interactiveRenderStatus = readFlag(args, kOfxImageEffectPropInteractiveRenderStatus);
  render.renderQualityDraft = readFlag(args, kOfxImageEffectPropRenderQualityDraft);
  render.isEnabledOpenGLRender = readFlag(args, kOfxImageEffectPropOpenGLEnabled);
  render.isEnabledCudaRender = readFlag(args, kOfxImageEffectPropCudaEnabled);
  render.pCudaStream = args.propGetPointer(kOfxImageEffectPropCudaStream, 0, false);
  render.isEnabledOpenCLRender = readFlag(args, kOfxImageEffectPropOpenCLEnabled);
  render.pOpenCLCmdQ = args.propGetPointer(kOfxImageEffectPropOpenCLCommandQueue, 0, false);
  render.isEnabledMetalRender = readFlag(args, kOfxImageEffectPropMetalEnabled);
  render.pMetalCmdQ = args.propGetPointer(kOfxImageEffectPropMetalCommandQueue, 0, false);
  return render;
}

template <typename SequenceArguments>
SequenceArguments readSequenceArguments(const PropertySet& args) {
  SequenceArguments sequence;
  sequence.frameRange.min = args.propGetDouble(kOfxImageEffectPropFrameRange, 0, false);
  sequence.frameRange.max = args.propGetDouble(kOfxImageEffectPropFrameRange, 1, false);
  sequence.frameStep = args.propGetDouble(kOfxImageEffectPropFrameStep, 0, false);
  sequence.isInteractive = readFlag(args, kOfxPropIsInteractive);
  sequence.renderScale = readScale(args);
  sequence.sequentialRenderStatus = readFlag(args, kOfxImageEffectPropSequentialRenderStatus);
  sequence.interactiveRenderStatus = readFlag(args, kOfxImageEffectPropInteractiveRenderStatus);
  return sequence;
}

InstanceChangedArgs readChangedArguments(const PropertySet& args) {
  InstanceChangedArgs changed;
  changed.reason = mapChangeReasonStringToEnum(args.propGetString(kOfxPropChangeReason, 0, false));
  changed.time = args.propGetDouble(kOfxPropTime, 0, false);
  changed.renderScale = readScale(args);
  return changed;
}

ContextEnum readContext(OfxImageEffectHandle effect) {
  OfxPropertySetHandle props = nullptr;
  const OfxStatus status = Private::effectSuite().getPropertySet(effect, &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "effect property set");
  return mapContextStringToEnum(PropertySet(props).propGetString(kOfxImageEffectPropContext));
}

// --- the actions

OfxStatus createInstance(OfxImageEffectHandle effect, PluginFactory& factory) {
  ImageEffect* instance = factory.createInstance(effect, readContext(effect));
  return instance != nullptr ? kOfxStatOK : kOfxStatFailed;
}

OfxStatus destroyInstance(OfxImageEffectHandle effect) {
  delete Private::retrieveImageEffectPointer(effect);
  return kOfxStatOK;
}

OfxStatus isIdentity(ImageEffect& instance, const PropertySet& in, PropertySet& out) {
  IsIdentityArguments args;
  args.time = in.propGetDouble(kOfxPropTime, 0, false);
  args.renderScale = readScale(in);
  args.renderWindow = readWindow(in);
  args.fieldToRender = mapFieldStringToEnum(in.propGetString(kOfxImageEffectPropFieldToRender, 0, false));
  Clip* clip = nullptr;
  double identityTime = args.time;
  // An identity without a clip to pass through cannot be honoured: render instead.
  if (!instance.isIdentity(args, clip, identityTime) || clip == nullptr) return kOfxStatReplyDefault;
  out.propSetString(kOfxPropName, clip->name());
  out.propSetDouble(kOfxPropTime, identityTime);
  return kOfxStatOK;
}

OfxStatus regionOfDefinition(ImageEffect& instance, const PropertySet& in, PropertySet& out) {
  RegionOfDefinitionArguments args;
  args.time = in.propGetDouble(kOfxPropTime, 0, false);
  args.renderScale = readScale(in);
  OfxRectD rod{0.0, 0.0, 0.0, 0.0};
  if (!instance.getRegionOfDefinition(args, rod)) return kOfxStatReplyDefault;
  out.propSetDouble(kOfxImageEffectPropRegionOfDefinition, rod.x1, 0);
  out.propSetDouble(kOfxImageEffectPropRegionOfDefinition, rod.y1, 1);
  out.propSetDouble(kOfxImageEffectPropRegionOfDefinition, rod.x2, 2);
  out.propSetDouble(kOfxImageEffectPropRegionOfDefinition, rod.y2, 3);
  return kOfxStatOK;
}

OfxStatus timeDomain(ImageEffect& instance, PropertySet& out) {
  OfxRangeD range{0.0, 0.0};
  if (!instance.getTimeDomain(range)) return kOfxStatReplyDefault;
  out.propSetDouble(kOfxImageEffectPropFrameRange, range.min, 0);
  out.propSetDouble(kOfxImageEffectPropFrameRange, range.max, 1);
  return kOfxStatOK;
}

OfxStatus instanceChanged(ImageEffect& instance, const PropertySet& in) {
  const InstanceChangedArgs args = readChangedArguments(in);
  const std::string type = in.propGetString(kOfxPropType, 0, false);
  const std::string name = in.propGetString(kOfxPropName, 0, false);
  if (type == kOfxTypeParameter) {
    instance.changedParam(args, name);
  } else if (type == kOfxTypeClip) {
    instance.changedClip(args, name);
  }
  return kOfxStatOK;
}

// Actions sent to an existing instance.
OfxStatus instanceAction(const std::string& action, ImageEffect& instance, const PropertySet& in,
                         PropertySet& out) {
  if (action == kOfxImageEffectActionRender) {
    instance.render(readRenderArguments(in));
    return kOfxStatOK;
  }
  if (action == kOfxImageEffectActionIsIdentity) return isIdentity(instance, in, out);
  if (action == kOfxActionInstanceChanged) return instanceChanged(instance, in);
  if (action == kOfxActionBeginInstanceChanged) {
    instance.beginChanged(mapChangeReasonStringToEnum(in.propGetString(kOfxPropChangeReason, 0, false)));
    return kOfxStatOK;
  }
  if (action == kOfxActionEndInstanceChanged) {
    instance.endChanged(mapChangeReasonStringToEnum(in.propGetString(kOfxPropChangeReason, 0, false)));
    return kOfxStatOK;
  }
  if (action == kOfxImageEffectActionBeginSequenceRender) {
    instance.beginSequenceRender(readSequenceArguments<BeginSequenceRenderArguments>(in));
    return kOfxStatOK;
  }
  if (action == kOfxImageEffectActionEndSequenceRender) {
    instance.endSequenceRender(readSequenceArguments<EndSequenceRenderArguments>(in));
    return kOfxStatOK;
  }
  if (action == kOfxImageEffectActionGetRegionOfDefinition) return regionOfDefinition(instance, in, out);
  if (action == kOfxImageEffectActionGetTimeDomain) return timeDomain(instance, out);
  if (action == kOfxActionPurgeCaches) {
    instance.purgeCaches();
    return kOfxStatOK;
  }
  if (action == kOfxActionSyncPrivateData) {
    instance.syncPrivateData();
    return kOfxStatOK;
  }
  // Regions of interest, clip preferences, frames needed, edit begin/end:
  // the host's defaults are what every effect of this library wants.
  return kOfxStatReplyDefault;
}

// Actions that only make sense for a live instance: without one they fail
// instead of quietly taking the host's default.
bool actionNeedsInstance(const std::string& action) {
  return action == kOfxImageEffectActionRender || action == kOfxImageEffectActionIsIdentity ||
         action == kOfxActionInstanceChanged || action == kOfxActionBeginInstanceChanged ||
         action == kOfxActionEndInstanceChanged || action == kOfxImageEffectActionBeginSequenceRender ||
         action == kOfxImageEffectActionEndSequenceRender;
}

OfxStatus dispatch(const char* actionText, const void* handle, OfxPropertySetHandle inArgs,
                   OfxPropertySetHandle outArgs, PluginFactory& factory) {
  if (actionText == nullptr) return kOfxStatErrBadHandle;
  const std::string action = actionText;
  auto effect = static_cast<OfxImageEffectHandle>(const_cast<void*>(handle));

  if (action == kOfxActionLoad) {
    Private::checkRequiredSuites();
    Private::loadHostDescription();
    factory.load();
    return kOfxStatOK;
  }
  if (action == kOfxActionUnload) {
    factory.unload();
    return kOfxStatOK;
  }
  if (action == kOfxActionDescribe) {
    ImageEffectDescriptor desc(effect);
    factory.describe(desc);
    return kOfxStatOK;
  }
  if (action == kOfxImageEffectActionDescribeInContext) {
    const ContextEnum context = mapContextStringToEnum(PropertySet(inArgs).propGetString(kOfxImageEffectPropContext));
    ImageEffectDescriptor desc(effect);
    factory.describeInContext(desc, context);
    return kOfxStatOK;
  }
  if (action == kOfxActionCreateInstance) return createInstance(effect, factory);
  if (action == kOfxActionDestroyInstance) return destroyInstance(effect);

  ImageEffect* instance = Private::retrieveImageEffectPointer(effect);
  if (instance == nullptr) return actionNeedsInstance(action) ? kOfxStatErrBadHandle : kOfxStatReplyDefault;
  const PropertySet in(inArgs);
  PropertySet out(outArgs);
  return instanceAction(action, *instance, in, out);
}

}  // namespace

namespace Private {

OfxStatus mainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                    OfxPropertySetHandle outArgs, PluginFactory& factory) {
  return callAndMapExceptions([&] { return dispatch(action, handle, inArgs, outArgs, factory); });
}

}  // namespace Private
}  // namespace OFX

OfxExport int OfxGetNumberOfPlugins(void) {
  return static_cast<int>(OFX::initialisedRegistry().records.size());
}

OfxExport OfxPlugin* OfxGetPlugin(int nth) {
  auto& records = OFX::initialisedRegistry().records;
  if (nth < 0 || nth >= static_cast<int>(records.size())) return nullptr;
  return &records[static_cast<std::size_t>(nth)];
}
