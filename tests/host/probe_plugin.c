/*
 * A small OpenFX plug-in written against the C API only, used to exercise the
 * host library independently of the real effect. Plug-in 0 ("com.test.hostprobe")
 * declares clips and one parameter of every kind, reacts to parameter changes by
 * setting other parameters, renders output = source * gain over the host's
 * threads, answers identity when gain is 1, and has an overlay that draws through
 * the draw suite. Plug-in 1 fails its context description, plug-in 2 fails to load
 * with a non-standard status. What the plug-in saw is exported for the tests.
 */
#include <stdio.h>
#include <string.h>

#include "ofxDrawSuite.h"
#include "ofxGPURender.h"
#include "ofxImageEffect.h"
#include "ofxParametricParam.h"

static OfxHost *g_host;
static const OfxPropertySuiteV1 *g_props;
static const OfxImageEffectSuiteV1 *g_effects;
static const OfxParameterSuiteV1 *g_params;
static const OfxParametricParameterSuiteV1 *g_curves;
static const OfxMultiThreadSuiteV1 *g_threads;
static const OfxMessageSuiteV2 *g_messages;
static const OfxMemorySuiteV1 *g_memory;
static const OfxInteractSuiteV1 *g_interact;
static const OfxDrawSuiteV1 *g_draw;

/* ---- what the tests read back ---- */
static int g_cudaEnabled = -1;
static void *g_cudaStream;
static void *g_outputData;
static int g_outputRowBytes;
static int g_renderWindow[4];
static double g_renderScale[2];
static char g_field[64];
static unsigned int g_threadsUsed;
static int g_spawnedSeen;
static double g_background[3];
static double g_pixelScale[2];
static int g_focus;  /* +1 per gain, -1 per loss */
static int g_dragging;

OfxExport int hostprobe_cuda_enabled(void) { return g_cudaEnabled; }
OfxExport void *hostprobe_cuda_stream(void) { return g_cudaStream; }
OfxExport void *hostprobe_output_data(void) { return g_outputData; }
OfxExport int hostprobe_output_row_bytes(void) { return g_outputRowBytes; }
OfxExport const int *hostprobe_render_window(void) { return g_renderWindow; }
OfxExport const double *hostprobe_render_scale(void) { return g_renderScale; }
OfxExport const char *hostprobe_field(void) { return g_field; }
OfxExport unsigned int hostprobe_threads_used(void) { return g_threadsUsed; }
OfxExport int hostprobe_spawned_seen(void) { return g_spawnedSeen; }
OfxExport const double *hostprobe_background(void) { return g_background; }
OfxExport const double *hostprobe_pixel_scale(void) { return g_pixelScale; }
OfxExport int hostprobe_focus(void) { return g_focus; }

static void setHost(OfxHost *host) {
  g_host = host;
  g_props = host->fetchSuite(host->host, kOfxPropertySuite, 1);
  g_effects = host->fetchSuite(host->host, kOfxImageEffectSuite, 1);
  g_params = host->fetchSuite(host->host, kOfxParameterSuite, 1);
  g_curves = host->fetchSuite(host->host, kOfxParametricParameterSuite, 1);
  g_threads = host->fetchSuite(host->host, kOfxMultiThreadSuite, 1);
  g_messages = host->fetchSuite(host->host, kOfxMessageSuite, 2);
  g_memory = host->fetchSuite(host->host, kOfxMemorySuite, 1);
  g_interact = host->fetchSuite(host->host, kOfxInteractSuite, 1);
  g_draw = host->fetchSuite(host->host, kOfxDrawSuite, 1);
  /* A suite this host does not have: must come back null. */
  (void)host->fetchSuite(host->host, "OfxNoSuchSuite", 1);
}

static OfxParamHandle param(OfxImageEffectHandle effect, const char *name) {
  OfxParamSetHandle set;
  OfxParamHandle p = NULL;
  g_effects->getParamSet(effect, &set);
  g_params->paramGetHandle(set, name, &p, NULL);
  return p;
}

static OfxPropertySetHandle paramProps(OfxImageEffectHandle effect, const char *name) {
  OfxPropertySetHandle props = NULL;
  g_params->paramGetPropertySet(param(effect, name), &props);
  return props;
}

/* ---- overlay ---- */

static OfxImageEffectHandle interactEffect(OfxInteractHandle interact) {
  OfxPropertySetHandle props;
  void *effect = NULL;
  g_interact->interactGetPropertySet(interact, &props);
  g_props->propGetPointer(props, kOfxPropEffectInstance, 0, &effect);
  return (OfxImageEffectHandle)effect;
}

static OfxStatus overlayMain(const char *action, const void *handle, OfxPropertySetHandle inArgs,
                             OfxPropertySetHandle outArgs) {
  OfxInteractHandle interact = (OfxInteractHandle)handle;
  (void)outArgs;
  if (strcmp(action, kOfxActionDescribe) == 0) {
    OfxPropertySetHandle props;
    g_interact->interactGetPropertySet(interact, &props);
    g_props->propSetString(props, kOfxInteractPropSlaveToParam, 0, "gain");
    g_props->propSetString(props, kOfxInteractPropSlaveToParam, 1, "offset");
    return kOfxStatOK;
  }
  if (strcmp(action, kOfxActionCreateInstance) == 0 || strcmp(action, kOfxActionDestroyInstance) == 0)
    return kOfxStatOK;
  if (strcmp(action, kOfxInteractActionDraw) == 0) {
    void *context = NULL;
    double x, y, gain;
    OfxRGBAColourF colour = {1.0f, 0.0f, 0.0f, 1.0f}, active;
    OfxPointD line[2] = {{0.0, 0.0}, {0.0, 0.0}};
    char text[64];
    g_props->propGetPointer(inArgs, kOfxInteractPropDrawContext, 0, &context);
    g_props->propGetDoubleN(inArgs, kOfxInteractPropBackgroundColour, 3, g_background);
    g_props->propGetDoubleN(inArgs, kOfxInteractPropPixelScale, 2, g_pixelScale);
    g_params->paramGetValue(param(interactEffect(interact), "offset"), &x, &y);
    g_params->paramGetValue(param(interactEffect(interact), "gain"), &gain);
    line[1].x = x;
    line[1].y = y;
    g_draw->getColour(context, kOfxStandardColourOverlayActive, &active);
    g_draw->setColour(context, &colour);
    g_draw->setLineWidth(context, (float)(2.0 * g_pixelScale[0]));
    g_draw->setLineStipple(context, kOfxDrawLineStipplePatternDash);
    g_draw->draw(context, kOfxDrawPrimitiveLines, line, 2);
    snprintf(text, sizeof text, "gain=%.2f", gain);
    g_draw->drawText(context, text, &line[1], kOfxDrawTextAlignmentLeft | kOfxDrawTextAlignmentBottom);
    return kOfxStatOK;
  }
  if (strcmp(action, kOfxInteractActionPenDown) == 0 || strcmp(action, kOfxInteractActionPenMotion) == 0 ||
      strcmp(action, kOfxInteractActionPenUp) == 0) {
    double pen[2], pixel[2], x, y;
    OfxParamHandle offset = param(interactEffect(interact), "offset");
    g_props->propGetDoubleN(inArgs, kOfxInteractPropPenPosition, 2, pen);
    g_props->propGetDoubleN(inArgs, kOfxInteractPropPixelScale, 2, pixel);
    g_params->paramGetValue(offset, &x, &y);
    if (strcmp(action, kOfxInteractActionPenDown) == 0) {
      /* Grab the handle within 5 screen pixels of the offset point. */
      double dx = (pen[0] - x) / pixel[0], dy = (pen[1] - y) / pixel[1];
      g_dragging = dx * dx + dy * dy <= 25.0;
      return g_dragging ? kOfxStatOK : kOfxStatReplyDefault;
    }
    if (!g_dragging) return kOfxStatReplyDefault;
    g_params->paramSetValue(offset, pen[0], pen[1]);
    if (strcmp(action, kOfxInteractActionPenUp) == 0) g_dragging = 0;
    return kOfxStatOK;
  }
  if (strcmp(action, kOfxInteractActionGainFocus) == 0) {
    ++g_focus;
    return kOfxStatOK;
  }
  if (strcmp(action, kOfxInteractActionLoseFocus) == 0) {
    --g_focus;
    return kOfxStatOK;
  }
  return kOfxStatReplyDefault;
}

/* ---- description ---- */

static OfxStatus describe(OfxImageEffectHandle effect) {
  OfxPropertySetHandle props;
  g_effects->getPropertySet(effect, &props);
  g_props->propSetString(props, kOfxPropLabel, 0, "Host Probe");
  g_props->propSetString(props, kOfxImageEffectPluginPropGrouping, 0, "Tests");
  g_props->propSetString(props, kOfxPropPluginDescription, 0, "Exercises the host");
  g_props->propSetString(props, kOfxImageEffectPropSupportedContexts, 0, kOfxImageEffectContextFilter);
  g_props->propSetString(props, kOfxImageEffectPropSupportedContexts, 1, kOfxImageEffectContextGeneral);
  g_props->propSetString(props, kOfxImageEffectPropSupportedPixelDepths, 0, kOfxBitDepthFloat);
  g_props->propSetInt(props, kOfxImageEffectPluginPropSingleInstance, 0, 0);
  g_props->propSetString(props, kOfxImageEffectPropCudaRenderSupported, 0, "true");
  /* A property the host does not predefine: descriptors accept it. */
  g_props->propSetString(props, "OfxImageEffectPropNoSpatialAwareness", 0, "false");
  g_props->propSetPointer(props, kOfxImageEffectPluginPropOverlayInteractV1, 0, (void *)overlayMain);
  return kOfxStatOK;
}

static OfxPropertySetHandle define(OfxParamSetHandle set, const char *type, const char *name, const char *label,
                                   const char *parent) {
  OfxPropertySetHandle props = NULL;
  if (g_params->paramDefine(set, type, name, &props) != kOfxStatOK) return NULL;
  g_props->propSetString(props, kOfxPropLabel, 0, label);
  if (parent) g_props->propSetString(props, kOfxParamPropParent, 0, parent);
  return props;
}

static OfxStatus describeInContext(OfxImageEffectHandle effect) {
  OfxPropertySetHandle clip, p;
  OfxParamSetHandle set;
  OfxParamHandle curve;
  const double rgb[3] = {0.1, 0.2, 0.3}, rgba[4] = {0.1, 0.2, 0.3, 0.4};
  const double xy[2] = {1.0, 2.0}, xyz[3] = {1.0, 2.0, 3.0};
  const int size[2] = {4, 5};

  g_effects->clipDefine(effect, kOfxImageEffectSimpleSourceClipName, &clip);
  g_props->propSetString(clip, kOfxImageEffectPropSupportedComponents, 0, kOfxImageComponentRGBA);
  g_effects->clipDefine(effect, "Matte", &clip);
  g_props->propSetString(clip, kOfxImageEffectPropSupportedComponents, 0, kOfxImageComponentRGBA);
  g_props->propSetInt(clip, kOfxImageClipPropOptional, 0, 1);
  g_props->propSetInt(clip, kOfxImageClipPropIsMask, 0, 1);
  g_effects->clipDefine(effect, kOfxImageEffectOutputClipName, &clip);
  g_props->propSetString(clip, kOfxImageEffectPropSupportedComponents, 0, kOfxImageComponentRGBA);
  /* Defining a clip twice is refused. */
  if (g_effects->clipDefine(effect, "Matte", &clip) != kOfxStatErrExists) return kOfxStatErrFatal;

  g_effects->getParamSet(effect, &set);
  p = define(set, kOfxParamTypePage, "Main", "Main", NULL);
  g_props->propSetString(p, kOfxParamPropPageChild, 0, "grp");
  p = define(set, kOfxParamTypeGroup, "grp", "Group", NULL);
  g_props->propSetInt(p, kOfxParamPropGroupOpen, 0, 0);
  p = define(set, kOfxParamTypeDouble, "gain", "Gain", "grp");
  g_props->propSetDouble(p, kOfxParamPropDefault, 0, 1.0);
  g_props->propSetDouble(p, kOfxParamPropMin, 0, 0.0);
  g_props->propSetDouble(p, kOfxParamPropMax, 0, 4.0);
  g_props->propSetString(p, kOfxParamPropHint, 0, "Multiplies the source");
  define(set, kOfxParamTypeDouble, "mirror", "Mirror", "grp");
  p = define(set, kOfxParamTypeInteger, "count", "Count", NULL);
  g_props->propSetInt(p, kOfxParamPropDefault, 0, 3);
  g_props->propSetInt(p, kOfxParamPropMin, 0, 0);
  g_props->propSetInt(p, kOfxParamPropMax, 0, 10);
  p = define(set, kOfxParamTypeBoolean, "enabled", "Enabled", NULL);
  g_props->propSetInt(p, kOfxParamPropDefault, 0, 1);
  p = define(set, kOfxParamTypeChoice, "mode", "Mode", NULL);
  g_props->propSetString(p, kOfxParamPropChoiceOption, 0, "A");
  g_props->propSetString(p, kOfxParamPropChoiceOption, 1, "B");
  g_props->propSetInt(p, kOfxParamPropDefault, 0, 1);
  p = define(set, kOfxParamTypeString, "label", "Label", NULL);
  g_props->propSetString(p, kOfxParamPropDefault, 0, "hello");
  p = define(set, kOfxParamTypeRGB, "tint", "Tint", NULL);
  g_props->propSetDoubleN(p, kOfxParamPropDefault, 3, rgb);
  p = define(set, kOfxParamTypeRGBA, "tint4", "Tint RGBA", NULL);
  g_props->propSetDoubleN(p, kOfxParamPropDefault, 4, rgba);
  p = define(set, kOfxParamTypeDouble2D, "offset", "Offset", NULL);
  g_props->propSetDoubleN(p, kOfxParamPropDefault, 2, xy);
  p = define(set, kOfxParamTypeDouble3D, "pos3", "Position", NULL);
  g_props->propSetDoubleN(p, kOfxParamPropDefault, 3, xyz);
  p = define(set, kOfxParamTypeInteger2D, "size", "Size", NULL);
  g_props->propSetIntN(p, kOfxParamPropDefault, 2, size);
  define(set, kOfxParamTypePushButton, "fill", "Fill options", NULL);
  define(set, kOfxParamTypePushButton, "hide", "Hide count", NULL);
  define(set, kOfxParamTypePushButton, "chain", "Chain", NULL);
  define(set, kOfxParamTypePushButton, "msg", "Message", NULL);
  define(set, kOfxParamTypeInteger, "loopcount", "Loop", NULL);
  define(set, kOfxParamTypeBoolean, "leak", "Leak source", NULL);
  p = define(set, kOfxParamTypeParametric, "curve", "Curve", NULL);
  g_props->propSetInt(p, kOfxParamPropParametricDimension, 0, 1);
  g_params->paramGetHandle(set, "curve", &curve, NULL);
  g_curves->parametricParamAddControlPoint(curve, 0, 0.0, 0.0, 0.0, false);
  g_curves->parametricParamAddControlPoint(curve, 0, 0.0, 1.0, 2.0, false);
  /* Redefining a parameter is refused. */
  if (g_params->paramDefine(set, kOfxParamTypeDouble, "gain", &p) != kOfxStatErrExists) return kOfxStatErrFatal;
  return kOfxStatOK;
}

/* ---- instance actions ---- */

static OfxStatus instanceChanged(OfxImageEffectHandle effect, OfxPropertySetHandle inArgs) {
  char *name = NULL, *type = NULL;
  g_props->propGetString(inArgs, kOfxPropName, 0, &name);
  g_props->propGetString(inArgs, kOfxPropType, 0, &type);
  if (strcmp(type, "OfxTypeParameter") != 0) return kOfxStatReplyDefault;
  if (strcmp(name, "gain") == 0) {
    double gain;
    g_params->paramGetValue(param(effect, "gain"), &gain);
    return g_params->paramSetValue(param(effect, "mirror"), gain * 2.0);
  }
  if (strcmp(name, "fill") == 0) {
    OfxPropertySetHandle props = paramProps(effect, "mode");
    g_props->propReset(props, kOfxParamPropChoiceOption);
    g_props->propSetString(props, kOfxParamPropChoiceOption, 0, "X");
    g_props->propSetString(props, kOfxParamPropChoiceOption, 1, "Y");
    g_props->propSetString(props, kOfxParamPropChoiceOption, 2, "Z");
    return g_params->paramSetValue(param(effect, "mode"), 2);
  }
  if (strcmp(name, "hide") == 0) return g_props->propSetInt(paramProps(effect, "count"), kOfxParamPropSecret, 0, 1);
  if (strcmp(name, "chain") == 0) {
    OfxParamSetHandle set;
    OfxStatus status;
    g_effects->getParamSet(effect, &set);
    g_params->paramEditBegin(set, "chain");
    status = g_params->paramSetValue(param(effect, "gain"), 2.0);
    g_params->paramEditEnd(set);
    return status;
  }
  if (strcmp(name, "loopcount") == 0) {
    int n;
    g_params->paramGetValue(param(effect, "loopcount"), &n);
    return g_params->paramSetValue(param(effect, "loopcount"), n + 1);
  }
  if (strcmp(name, "msg") == 0) {
    void *block = NULL;
    g_memory->memoryAlloc(effect, 64, &block);
    g_memory->memoryFree(block);
    return g_messages->message(effect, kOfxMessageError, "probe.msg", "hello %d", 42);
  }
  return kOfxStatReplyDefault;
}

static OfxStatus isIdentity(OfxImageEffectHandle effect, OfxPropertySetHandle inArgs, OfxPropertySetHandle outArgs) {
  double gain, time;
  g_params->paramGetValue(param(effect, "gain"), &gain);
  if (gain != 1.0) return kOfxStatReplyDefault;
  g_props->propGetDouble(inArgs, kOfxPropTime, 0, &time);
  g_props->propSetString(outArgs, kOfxPropName, 0, kOfxImageEffectSimpleSourceClipName);
  g_props->propSetDouble(outArgs, kOfxPropTime, 0, time);
  return kOfxStatOK;
}

struct Job {
  const char *src;
  char *dst;
  int srcRowBytes, dstRowBytes;
  int srcBounds[4], dstBounds[4];
  int window[4];
  float gain;
};

static void renderRows(unsigned int index, unsigned int count, void *arg) {
  const struct Job *job = arg;
  unsigned int spawnedIndex = 0;
  int y, x, c;
  g_threads->multiThreadIndex(&spawnedIndex);
  if (g_threads->multiThreadIsSpawnedThread()) g_spawnedSeen = 1;
  for (y = job->window[1] + (int)index; y < job->window[3]; y += (int)count) {
    const float *s = (const float *)(job->src + (size_t)(y - job->srcBounds[1]) * job->srcRowBytes);
    float *d = (float *)(job->dst + (size_t)(y - job->dstBounds[1]) * job->dstRowBytes);
    for (x = job->window[0]; x < job->window[2]; ++x) {
      const float *sp = s + (size_t)(x - job->srcBounds[0]) * 4;
      float *dp = d + (size_t)(x - job->dstBounds[0]) * 4;
      for (c = 0; c < 3; ++c) dp[c] = sp[c] * job->gain;
      dp[3] = sp[3];
    }
  }
  (void)spawnedIndex;
}

static int isFloatRGBA(OfxPropertySetHandle image) {
  char *depth = NULL, *components = NULL;
  g_props->propGetString(image, kOfxImageEffectPropPixelDepth, 0, &depth);
  g_props->propGetString(image, kOfxImageEffectPropComponents, 0, &components);
  return strcmp(depth, kOfxBitDepthFloat) == 0 && strcmp(components, kOfxImageComponentRGBA) == 0;
}

static OfxStatus render(OfxImageEffectHandle effect, OfxPropertySetHandle inArgs) {
  OfxImageClipHandle srcClip, dstClip;
  OfxPropertySetHandle src = NULL, dst = NULL;
  struct Job job;
  double time, gain;
  void *data;
  char *field = NULL;
  int leak = 0;
  OfxStatus status = kOfxStatOK;

  g_props->propGetDouble(inArgs, kOfxPropTime, 0, &time);
  g_props->propGetIntN(inArgs, kOfxImageEffectPropRenderWindow, 4, g_renderWindow);
  g_props->propGetDoubleN(inArgs, kOfxImageEffectPropRenderScale, 2, g_renderScale);
  g_props->propGetString(inArgs, kOfxImageEffectPropFieldToRender, 0, &field);
  snprintf(g_field, sizeof g_field, "%s", field);
  g_props->propGetInt(inArgs, kOfxImageEffectPropCudaEnabled, 0, &g_cudaEnabled);
  g_props->propGetPointer(inArgs, kOfxImageEffectPropCudaStream, 0, &g_cudaStream);

  if (g_effects->clipGetHandle(effect, kOfxImageEffectOutputClipName, &dstClip, NULL) != kOfxStatOK) return kOfxStatErrValue;
  g_effects->clipGetHandle(effect, kOfxImageEffectSimpleSourceClipName, &srcClip, NULL);
  if (g_effects->clipGetImage(dstClip, time, NULL, &dst) != kOfxStatOK) return kOfxStatFailed;
  if (!isFloatRGBA(dst)) {
    g_effects->clipReleaseImage(dst);
    return kOfxStatErrUnsupported;
  }
  g_props->propGetPointer(dst, kOfxImagePropData, 0, &g_outputData);
  g_props->propGetInt(dst, kOfxImagePropRowBytes, 0, &g_outputRowBytes);
  if (g_cudaEnabled) {
    /* Device memory: the probe does not touch it from the CPU. */
    g_effects->clipReleaseImage(dst);
    return kOfxStatOK;
  }
  if (g_effects->clipGetImage(srcClip, time, NULL, &src) != kOfxStatOK) {
    g_effects->clipReleaseImage(dst);
    return kOfxStatFailed;
  }
  g_params->paramGetValue(param(effect, "gain"), &gain);
  g_params->paramGetValue(param(effect, "leak"), &leak);
  g_props->propGetPointer(src, kOfxImagePropData, 0, &data);
  job.src = data;
  job.dst = g_outputData;
  g_props->propGetInt(src, kOfxImagePropRowBytes, 0, &job.srcRowBytes);
  job.dstRowBytes = g_outputRowBytes;
  g_props->propGetIntN(src, kOfxImagePropBounds, 4, job.srcBounds);
  g_props->propGetIntN(dst, kOfxImagePropBounds, 4, job.dstBounds);
  memcpy(job.window, g_renderWindow, sizeof job.window);
  job.gain = (float)gain;
  g_threads->multiThreadNumCPUs(&g_threadsUsed);
  if (g_threads->multiThread(renderRows, g_threadsUsed, &job) != kOfxStatOK) status = kOfxStatFailed;
  if (!leak) g_effects->clipReleaseImage(src);
  g_effects->clipReleaseImage(dst);
  return status;
}

static OfxStatus probeMain(const char *action, const void *handle, OfxPropertySetHandle inArgs,
                           OfxPropertySetHandle outArgs) {
  OfxImageEffectHandle effect = (OfxImageEffectHandle)handle;
  if (strcmp(action, kOfxActionLoad) == 0) {
    return g_props && g_effects && g_params && g_curves && g_threads && g_messages && g_memory && g_interact && g_draw
               ? kOfxStatOK
               : kOfxStatErrMissingHostFeature;
  }
  if (strcmp(action, kOfxActionDescribe) == 0) return describe(effect);
  if (strcmp(action, kOfxImageEffectActionDescribeInContext) == 0) return describeInContext(effect);
  if (strcmp(action, kOfxActionCreateInstance) == 0) return kOfxStatOK;
  if (strcmp(action, kOfxActionDestroyInstance) == 0) return kOfxStatOK;
  if (strcmp(action, kOfxActionInstanceChanged) == 0) return instanceChanged(effect, inArgs);
  if (strcmp(action, kOfxImageEffectActionIsIdentity) == 0) return isIdentity(effect, inArgs, outArgs);
  if (strcmp(action, kOfxImageEffectActionRender) == 0) return render(effect, inArgs);
  return kOfxStatReplyDefault;
}

static OfxStatus failingMain(const char *action, const void *handle, OfxPropertySetHandle inArgs,
                             OfxPropertySetHandle outArgs) {
  OfxPropertySetHandle props;
  (void)inArgs, (void)outArgs;
  if (strcmp(action, kOfxActionDescribe) == 0) {
    g_effects->getPropertySet((OfxImageEffectHandle)handle, &props);
    g_props->propSetString(props, kOfxPropLabel, 0, "Failing");
    g_props->propSetString(props, kOfxImageEffectPropSupportedContexts, 0, kOfxImageEffectContextFilter);
    return kOfxStatOK;
  }
  if (strcmp(action, kOfxImageEffectActionDescribeInContext) == 0) return kOfxStatFailed;
  return kOfxStatReplyDefault;
}

static OfxStatus unloadableMain(const char *action, const void *handle, OfxPropertySetHandle inArgs,
                                OfxPropertySetHandle outArgs) {
  (void)handle, (void)inArgs, (void)outArgs;
  return strcmp(action, kOfxActionLoad) == 0 ? 42 : kOfxStatReplyDefault;
}

static OfxPlugin g_plugins[] = {
    {kOfxImageEffectPluginApi, 1, "com.test.hostprobe", 2, 3, setHost, probeMain},
    {kOfxImageEffectPluginApi, 1, "com.test.failing", 1, 0, setHost, failingMain},
    {kOfxImageEffectPluginApi, 1, "com.test.unloadable", 1, 0, setHost, unloadableMain},
};

OfxExport int OfxGetNumberOfPlugins(void) { return (int)(sizeof g_plugins / sizeof g_plugins[0]); }

OfxExport OfxPlugin *OfxGetPlugin(int nth) {
  return nth >= 0 && nth < OfxGetNumberOfPlugins() ? &g_plugins[nth] : NULL;
}
