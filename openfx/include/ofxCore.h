#ifndef OFX_CORE_H
#define OFX_CORE_H
/*
 * The core of the OpenFX C API: the handle and status types, the host and
 * plug-in records, the generic actions and properties shared by every plug-in
 * API, and the two functions a plug-in binary exports.
 */

#include <limits.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Functions a plug-in binary exports to the host. */
#ifdef __cplusplus
#define OfxExtern extern "C"
#else
#define OfxExtern extern
#endif
#if defined(_WIN32) || defined(_WIN64)
#define OfxExport OfxExtern __declspec(dllexport)
#else
#define OfxExport OfxExtern __attribute__((visibility("default")))
#endif

/* An opaque property set, owned by the host. */
typedef struct OfxPropertySetStruct *OfxPropertySetHandle;

/* The result of every API call and action. */
typedef int OfxStatus;

/* What the host hands to a plug-in through setHost. */
typedef struct OfxHost {
  OfxPropertySetHandle host;
  const void *(*fetchSuite)(OfxPropertySetHandle host, const char *suiteName, int suiteVersion);
} OfxHost;

/* The single entry through which the host sends every action. */
typedef OfxStatus(OfxPluginEntryPoint)(const char *action, const void *handle,
                                       OfxPropertySetHandle inArgs, OfxPropertySetHandle outArgs);

/* What OfxGetPlugin returns for each plug-in of a binary. */
typedef struct OfxPlugin {
  const char *pluginApi;
  int apiVersion;
  const char *pluginIdentifier;
  unsigned int pluginVersionMajor;
  unsigned int pluginVersionMinor;
  void (*setHost)(OfxHost *host);
  OfxPluginEntryPoint *mainEntry;
} OfxPlugin;

/* Generic actions. */
#define kOfxActionLoad "OfxActionLoad"
#define kOfxActionDescribe "OfxActionDescribe"
#define kOfxActionUnload "OfxActionUnload"
#define kOfxActionPurgeCaches "OfxActionPurgeCaches"
#define kOfxActionSyncPrivateData "OfxActionSyncPrivateData"
#define kOfxActionCreateInstance "OfxActionCreateInstance"
#define kOfxActionDestroyInstance "OfxActionDestroyInstance"
#define kOfxActionInstanceChanged "OfxActionInstanceChanged"
#define kOfxActionBeginInstanceChanged "OfxActionBeginInstanceChanged"
#define kOfxActionEndInstanceChanged "OfxActionEndInstanceChanged"
#define kOfxActionBeginInstanceEdit "OfxActionBeginInstanceEdit"
#define kOfxActionEndInstanceEdit "OfxActionEndInstanceEdit"

/* Generic properties. */
#define kOfxPropAPIVersion "OfxPropAPIVersion"
#define kOfxPropTime "OfxPropTime"
#define kOfxPropIsInteractive "OfxPropIsInteractive"
#define kOfxPluginPropFilePath "OfxPluginPropFilePath"
#define kOfxPropInstanceData "OfxPropInstanceData"
#define kOfxPropType "OfxPropType"
#define kOfxPropName "OfxPropName"
#define kOfxPropVersion "OfxPropVersion"
#define kOfxPropVersionLabel "OfxPropVersionLabel"
#define kOfxPropPluginDescription "OfxPropPluginDescription"
#define kOfxPropLabel "OfxPropLabel"
#define kOfxPropIcon "OfxPropIcon"
#define kOfxPropShortLabel "OfxPropShortLabel"
#define kOfxPropLongLabel "OfxPropLongLabel"
#define kOfxPropChangeReason "OfxPropChangeReason"
#define kOfxPropEffectInstance "OfxPropEffectInstance"
#define kOfxPropHostOSHandle "OfxPropHostOSHandle"

/* Values of kOfxPropChangeReason. */
#define kOfxChangeUserEdited "OfxChangeUserEdited"
#define kOfxChangePluginEdited "OfxChangePluginEdited"
#define kOfxChangeTime "OfxChangeTime"

/* Unbounded ranges. */
#define kOfxFlagInfiniteMax INT_MAX
#define kOfxFlagInfiniteMin INT_MIN

/* Pixel bit depths. */
#define kOfxBitDepthNone "OfxBitDepthNone"
#define kOfxBitDepthByte "OfxBitDepthByte"
#define kOfxBitDepthShort "OfxBitDepthShort"
#define kOfxBitDepthHalf "OfxBitDepthHalf"
#define kOfxBitDepthFloat "OfxBitDepthFloat"

/* Time in frames. */
typedef double OfxTime;

typedef struct OfxRangeI {
  int min, max;
} OfxRangeI;

typedef struct OfxRangeD {
  double min, max;
} OfxRangeD;

typedef struct OfxPointI {
  int x, y;
} OfxPointI;

typedef struct OfxPointD {
  double x, y;
} OfxPointD;

typedef struct OfxRectI {
  int x1, y1, x2, y2;
} OfxRectI;

typedef struct OfxRectD {
  double x1, y1, x2, y2;
} OfxRectD;

/* Status codes. */
#define kOfxStatOK 0
#define kOfxStatFailed ((int)1)
#define kOfxStatErrFatal ((int)2)
#define kOfxStatErrUnknown ((int)3)
#define kOfxStatErrMissingHostFeature ((int)4)
#define kOfxStatErrUnsupported ((int)5)
#define kOfxStatErrExists ((int)6)
#define kOfxStatErrFormat ((int)7)
#define kOfxStatErrMemory ((int)8)
#define kOfxStatErrBadHandle ((int)9)
#define kOfxStatErrBadIndex ((int)10)
#define kOfxStatErrValue ((int)11)
#define kOfxStatReplyYes ((int)12)
#define kOfxStatReplyNo ((int)13)
#define kOfxStatReplyDefault ((int)14)

/* The two functions every plug-in binary exports. */
OfxExport int OfxGetNumberOfPlugins(void);
OfxExport OfxPlugin *OfxGetPlugin(int nth);

#ifdef __cplusplus
}
#endif

#endif /* OFX_CORE_H */
