#pragma once
// The effect instance the host works with: one per instance the host creates, built by
// GenericEffectFactory::createInstance. It parses its own copy of the embedded definition,
// looks up the host's clips once, fetches parameter handles lazily (on the first render or
// identity test) and owns every piece of GPU state that lives from frame to frame: input
// textures, default textures, bundled-resource textures, pipeline buffers and the pool of
// RenderBufferManagers.
//
// A frame: render() checks the output clip (32-bit float RGBA only), setupAndProcess() gathers
// images, textures, connection states and parameter values, then runs every pipeline of the
// definition once per execution, each run by a fresh GenericProcessor, and blends the result
// with the source by "Blend". The frame renders on the CUDA backend when the host enabled
// CUDA render and CUDA can run here, and on the host backend otherwise (the same kernels), so
// a host that renders on the CPU gets the real effect.
//
// Threads: renders of one instance never overlap (the host's default render safety); the
// identity test may run beside a render. paramMutex guards paramHandles and clips; the
// texture caches and the pool have their own locks. No lock is held while a processor runs.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"
#include "effect/BundledResources.h"
#include "effect/DefaultTextures.h"
#include "effect/InputTextures.h"
#include "effect/ParameterValue.h"
#include "effect/PipelineBuffers.h"
#include "effect/RenderBufferPool.h"
#include "gpu/ProcessorEffectAccess.h"
#include "openfx/support/ImageEffect.h"
#include "presets/PresetControls.h"

class GenericEffect : public OFX::ImageEffect, public GenericEffectHooks {
 public:
  // Throws std::runtime_error("Failed to parse embedded XML") when the definition cannot be
  // read; clip lookups that fail are logged and leave the clip out.
  GenericEffect(OfxImageEffectHandle handle, const std::string& definitionPath);
  // Releases the GPU state: textures, bundled resources, pipeline buffers, then the pool.
  ~GenericEffect() override;

  // The render action. Throws the suite status kOfxStatErrValue without an output clip and
  // kOfxStatErrUnsupported for any output format other than 32-bit float RGBA; a failing frame
  // throws its std::exception (the host sees kOfxStatFailed).
  void render(const OFX::RenderArguments& args) override;
  // True when one of the definition's identity conditions holds (OR, first in definition
  // order), passing the first input through at the same time.
  bool isIdentity(const OFX::IsIdentityArguments& args, OFX::Clip*& identityClip, double& identityTime) override;
  bool evaluateIdentityCondition(const XMLEffectDefinition::IdentityConditionDef& condition, double time);
  // Parameter changes: the preset and help controls handle theirs, the base the rest.
  void changedParam(const OFX::InstanceChangedArgs& args, const std::string& paramName) override;

  // Fills paramHandles with every definition parameter and the preset controls; fetches again
  // (and overwrites) on every call.
  void fetchParametersLazily();
  // The named definition parameter at `time`; a double 0.0 when it has no handle. Throws
  // std::out_of_range for a name the definition does not have.
  ParameterValue getParameterValue(const std::string& name, double time);
  // An execution count read from an int or double parameter, at least 1.
  int getIntParameter(const std::string& name, double time);

  // Renders the frame or throws.
  void setupAndProcess(const OFX::RenderArguments& args);
  // Copies pipeline buffer `pipelineIndex` into the effect-output buffer (feedback between
  // effect executions). The Metal queue is not used.
  void copyPipelineToEffectOutput(int pipelineIndex, void* metalQueue, void* cudaStream);

  // GenericEffectHooks: the 1x1 texture of a no-input mode, 0 when there is none.
  unsigned long long getDefaultTexture(int mode) override;

  // The bundle name of a definition path: the file name without a trailing ".xml"
  // (".../edge_bleed.xml" gives "edge_bleed"); it names the factory preset folder.
  static std::string deriveBundleName(const std::string& definitionPath);

  const XMLEffectDefinition& getDefinition() const { return definition; }
  const std::string& getDefinitionPath() const { return definitionPath; }
  const std::string& getBundleName() const { return bundleName; }
  bool arePresetListsInitialized() const { return presetListsInitialized; }

 private:
  // What a frame hands to every processor run.
  struct FrameState;
  struct PipelineRun;

  void fetchClips();
  // The platform whose kernels the frame runs.
  static std::string platformName(const OFX::RenderArguments& args);
  void gatherInputs(FrameState& frame);
  void runPipelines(FrameState& frame);
  void runSinglePipeline(FrameState& frame, const PipelineRun& run);
  void applyFinalBlend(FrameState& frame);
  // The first-render fill of the preset lists; marks them filled.
  void initializePresetLists();

  XMLEffectDefinition definition;
  std::string definitionPath;
  std::string bundleName;
  std::map<std::string, OFX::Param*> paramHandles;
  std::map<std::string, OFX::Clip*> clips;
  std::mutex paramMutex;

  // Declared in release order reversed: members are destroyed bottom-up after the destructor
  // body has released the GPU state explicitly in its documented order.
  RenderBufferPool bufferPool;
  InputTextureCache textureCaches;
  DefaultTextures defaultTextures;
  BundledResourceSet bundledResources;
  // The runtime the bundled resources were loaded on.
  gpu::Runtime* resourcesRuntime = nullptr;
  PipelineBuffers pipelineBuffers;
  RenderBufferManager* currentBufferManager = nullptr;

  bool presetListsInitialized = false;
  // The "Presets & Help" controls; they use the handle table under paramMutex.
  PresetControls presetControls{PresetControls::Instance{
      *this, paramMutex, paramHandles, definition, bundleName, [this] { fetchParametersLazily(); }}};
};
