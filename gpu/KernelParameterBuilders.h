#pragma once
// The four per-pass parameter blocks, built from a processor's configured state:
// SystemParameters (frame, render call, hierarchy position, global blend), PipelineParameters
// (effect name and version texts), SourceConnections (every input in definition order, then
// "effectOutput", then "pipelineOutput_0", "pipelineOutput_1", ... while the texture map has
// the next number) and AnimatedParameters (parameter values packed by kind in definition
// order). Every block is cleared before it is filled, so padding bytes are zero.
//
// Pointer fields point at texts that outlive the block's use: input names into the
// definition, "effectOutput" at a constant, pipeline output names at the keys of the state's
// texture map, the effect name at ProcessorState::effectName.

#include "gpu/KernelParameters.h"
#include "gpu/ProcessorEffectAccess.h"
#include "gpu/ProcessorState.h"

// Frame size from the arguments; render call, hierarchy position and globalBlend from the
// state and the effect. The pass fields (currentExecution ... totalPasses) get their
// defaults 0, 0, 0, 1, 0, 1; the pass loop overwrites them. Throws only what
// ProcessorEffectAccess::blendValue throws.
SystemParameters buildSystemParameters(const ProcessorState& state, ProcessorEffectAccess& effect, int width,
                                       int height);

// Copies the definition's effect name into state.effectName and points at it.
PipelineParameters buildPipelineParameters(ProcessorState& state);

SourceConnections buildSourceConnections(const ProcessorState& state, ProcessorEffectAccess& effect);

AnimatedParameters buildAnimatedParameters(const ProcessorState& state, ProcessorEffectAccess& effect);

// "repeat" 1, "mirror" 2, "black" 3, anything else (clamp, empty, unknown) 0.
int sourceBorderModeFromText(const std::string& text);
