#pragma once
// The enumerations the C++ layer uses in place of the OpenFX property strings,
// and the conversions between the two.

#include <string>

namespace OFX {

enum ContextEnum {
  eContextNone,
  eContextGenerator,
  eContextFilter,
  eContextTransition,
  eContextPaint,
  eContextGeneral,
  eContextRetimer
};

enum BitDepthEnum { eBitDepthNone, eBitDepthUByte, eBitDepthUShort, eBitDepthHalf, eBitDepthFloat, eBitDepthCustom };

enum PixelComponentEnum {
  ePixelComponentNone,
  ePixelComponentRGBA,
  ePixelComponentRGB,
  ePixelComponentAlpha,
  ePixelComponentCustom
};

enum FieldEnum { eFieldNone, eFieldBoth, eFieldLower, eFieldUpper, eFieldSingle, eFieldDoubled };

enum RenderSafetyEnum { eRenderUnsafe, eRenderInstanceSafe, eRenderFullySafe };

enum InstanceChangeReason { eChangeUserEdit, eChangePluginEdit, eChangeTime };

enum DoubleTypeEnum {
  eDoubleTypePlain,
  eDoubleTypeAngle,
  eDoubleTypeScale,
  eDoubleTypeTime,
  eDoubleTypeAbsoluteTime,
  eDoubleTypeX,
  eDoubleTypeXAbsolute,
  eDoubleTypeY,
  eDoubleTypeYAbsolute,
  eDoubleTypeXY,
  eDoubleTypeXYAbsolute
};

enum CoordinateSystemEnum { eCoordinatesCanonical, eCoordinatesNormalised };

enum StringTypeEnum {
  eStringTypeSingleLine,
  eStringTypeMultiLine,
  eStringTypeFilePath,
  eStringTypeDirectoryPath,
  eStringTypeLabel,
  eStringTypeRichTextFormat
};

enum LayoutHintEnum { eLayoutHintNormal = 0, eLayoutHintDivider = 1, eLayoutHintNoNewLine = 2 };

enum ParamTypeEnum {
  eDummyParam,
  eStringParam,
  eIntParam,
  eInt2DParam,
  eInt3DParam,
  eDoubleParam,
  eDouble2DParam,
  eDouble3DParam,
  eRGBParam,
  eRGBAParam,
  eBooleanParam,
  eChoiceParam,
  eCustomParam,
  eGroupParam,
  ePageParam,
  ePushButtonParam,
  eParametricParam
};

// Property strings of each value. Unknown strings map to the "none" value
// (eContextNone, eBitDepthNone, ...) instead of throwing: a host may send a
// newer value, and the effect decides what it accepts.
const char* mapContextEnumToString(ContextEnum context);
ContextEnum mapContextStringToEnum(const std::string& text);
const char* mapBitDepthEnumToString(BitDepthEnum depth);
BitDepthEnum mapBitDepthStringToEnum(const std::string& text);
const char* mapPixelComponentEnumToString(PixelComponentEnum components);
PixelComponentEnum mapPixelComponentStringToEnum(const std::string& text);
FieldEnum mapFieldStringToEnum(const std::string& text);
InstanceChangeReason mapChangeReasonStringToEnum(const std::string& text);
const char* mapRenderSafetyEnumToString(RenderSafetyEnum safety);
const char* mapDoubleTypeEnumToString(DoubleTypeEnum type);
const char* mapCoordinateSystemEnumToString(CoordinateSystemEnum system);
const char* mapStringTypeEnumToString(StringTypeEnum type);
// The host's parameter type string ("OfxParamTypeDouble", ...); empty for eDummyParam.
const char* mapParamTypeEnumToString(ParamTypeEnum type);
ParamTypeEnum mapParamTypeStringToEnum(const std::string& text);

}  // namespace OFX
