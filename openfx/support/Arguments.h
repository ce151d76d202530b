#pragma once
// The arguments of the actions an effect instance receives, read from the
// host's in-arguments by the action dispatcher.

#include "openfx/support/Enums.h"

#include "openfx/include/ofxCore.h"

namespace OFX {

struct RenderArguments {
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
  OfxRectI renderWindow{0, 0, 0, 0};
  FieldEnum fieldToRender = eFieldNone;
  bool sequentialRenderStatus = false;
  bool interactiveRenderStatus = false;
  bool renderQualityDraft = false;
  // GPU render modes the host enabled for this call, with its stream or queue.
  bool isEnabledOpenGLRender = false;
  bool isEnabledCudaRender = false;
  void* pCudaStream = nullptr;
  bool isEnabledOpenCLRender = false;
  void* pOpenCLCmdQ = nullptr;
  bool isEnabledMetalRender = false;
  void* pMetalCmdQ = nullptr;
};

struct IsIdentityArguments {
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
  OfxRectI renderWindow{0, 0, 0, 0};
  FieldEnum fieldToRender = eFieldNone;
};

struct InstanceChangedArgs {
  InstanceChangeReason reason = eChangeUserEdit;
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
};

struct BeginSequenceRenderArguments {
  OfxRangeD frameRange{0.0, 0.0};
  double frameStep = 1.0;
  bool isInteractive = false;
  OfxPointD renderScale{1.0, 1.0};
  bool sequentialRenderStatus = false;
  bool interactiveRenderStatus = false;
};

struct EndSequenceRenderArguments {
  OfxRangeD frameRange{0.0, 0.0};
  double frameStep = 1.0;
  bool isInteractive = false;
  OfxPointD renderScale{1.0, 1.0};
  bool sequentialRenderStatus = false;
  bool interactiveRenderStatus = false;
};

struct RegionOfDefinitionArguments {
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
};

}  // namespace OFX
