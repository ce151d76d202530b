#include "openfx/support/Enums.h"

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxImageEffect.h"
#include "openfx/include/ofxParam.h"
#include "openfx/include/ofxParametricParam.h"

#include <cstddef>

namespace OFX {
namespace {

template <typename E>
struct Entry {
  E value;
  const char* text;
};

const Entry<ContextEnum> kContexts[] = {
    {eContextGenerator, kOfxImageEffectContextGenerator}, {eContextFilter, kOfxImageEffectContextFilter},
    {eContextTransition, kOfxImageEffectContextTransition}, {eContextPaint, kOfxImageEffectContextPaint},
    {eContextGeneral, kOfxImageEffectContextGeneral},     {eContextRetimer, kOfxImageEffectContextRetimer},
};

const Entry<BitDepthEnum> kDepths[] = {
    {eBitDepthNone, kOfxBitDepthNone},   {eBitDepthUByte, kOfxBitDepthByte}, {eBitDepthUShort, kOfxBitDepthShort},
    {eBitDepthHalf, kOfxBitDepthHalf},   {eBitDepthFloat, kOfxBitDepthFloat},
};

const Entry<PixelComponentEnum> kComponents[] = {
    {ePixelComponentNone, kOfxImageComponentNone},
    {ePixelComponentRGBA, kOfxImageComponentRGBA},
    {ePixelComponentRGB, kOfxImageComponentRGB},
    {ePixelComponentAlpha, kOfxImageComponentAlpha},
};

const Entry<FieldEnum> kFields[] = {
    {eFieldNone, kOfxImageFieldNone},     {eFieldBoth, kOfxImageFieldBoth},     {eFieldLower, kOfxImageFieldLower},
    {eFieldUpper, kOfxImageFieldUpper},   {eFieldSingle, kOfxImageFieldSingle}, {eFieldDoubled, kOfxImageFieldDoubled},
};

const Entry<InstanceChangeReason> kReasons[] = {
    {eChangeUserEdit, kOfxChangeUserEdited},
    {eChangePluginEdit, kOfxChangePluginEdited},
    {eChangeTime, kOfxChangeTime},
};

const Entry<RenderSafetyEnum> kSafeties[] = {
    {eRenderUnsafe, kOfxImageEffectRenderUnsafe},
    {eRenderInstanceSafe, kOfxImageEffectRenderInstanceSafe},
    {eRenderFullySafe, kOfxImageEffectRenderFullySafe},
};

const Entry<DoubleTypeEnum> kDoubleTypes[] = {
    {eDoubleTypePlain, kOfxParamDoubleTypePlain},
    {eDoubleTypeAngle, kOfxParamDoubleTypeAngle},
    {eDoubleTypeScale, kOfxParamDoubleTypeScale},
    {eDoubleTypeTime, kOfxParamDoubleTypeTime},
    {eDoubleTypeAbsoluteTime, kOfxParamDoubleTypeAbsoluteTime},
    {eDoubleTypeX, kOfxParamDoubleTypeX},
    {eDoubleTypeXAbsolute, kOfxParamDoubleTypeXAbsolute},
    {eDoubleTypeY, kOfxParamDoubleTypeY},
    {eDoubleTypeYAbsolute, kOfxParamDoubleTypeYAbsolute},
    {eDoubleTypeXY, kOfxParamDoubleTypeXY},
    {eDoubleTypeXYAbsolute, kOfxParamDoubleTypeXYAbsolute},
};

const Entry<StringTypeEnum> kStringTypes[] = {
    {eStringTypeSingleLine, kOfxParamStringIsSingleLine},
    {eStringTypeMultiLine, kOfxParamStringIsMultiLine},
    {eStringTypeFilePath, kOfxParamStringIsFilePath},
    {eStringTypeDirectoryPath, kOfxParamStringIsDirectoryPath},
    {eStringTypeLabel, kOfxParamStringIsLabel},
    {eStringTypeRichTextFormat, kOfxParamStringIsRichTextFormat},
};

const Entry<ParamTypeEnum> kParamTypes[] = {
    {eStringParam, kOfxParamTypeString},       {eIntParam, kOfxParamTypeInteger},
    {eInt2DParam, kOfxParamTypeInteger2D},     {eInt3DParam, kOfxParamTypeInteger3D},
    {eDoubleParam, kOfxParamTypeDouble},       {eDouble2DParam, kOfxParamTypeDouble2D},
    {eDouble3DParam, kOfxParamTypeDouble3D},   {eRGBParam, kOfxParamTypeRGB},
    {eRGBAParam, kOfxParamTypeRGBA},           {eBooleanParam, kOfxParamTypeBoolean},
    {eChoiceParam, kOfxParamTypeChoice},       {eCustomParam, kOfxParamTypeCustom},
    {eGroupParam, kOfxParamTypeGroup},         {ePageParam, kOfxParamTypePage},
    {ePushButtonParam, kOfxParamTypePushButton}, {eParametricParam, kOfxParamTypeParametric},
};

template <typename E, std::size_t N>
const char* toText(const Entry<E> (&table)[N], E value, const char* fallback) {
  for (const auto& entry : table) {
    if (entry.value == value) return entry.text;
  }
  return fallback;
}

template <typename E, std::size_t N>
E toValue(const Entry<E> (&table)[N], const std::string& text, E fallback) {
  for (const auto& entry : table) {
    if (text == entry.text) return entry.value;
  }
  return fallback;
}

}  // namespace

const char* mapContextEnumToString(ContextEnum context) { return toText(kContexts, context, ""); }
ContextEnum mapContextStringToEnum(const std::string& text) { return toValue(kContexts, text, eContextNone); }

const char* mapBitDepthEnumToString(BitDepthEnum depth) { return toText(kDepths, depth, kOfxBitDepthNone); }
BitDepthEnum mapBitDepthStringToEnum(const std::string& text) { return toValue(kDepths, text, eBitDepthNone); }

const char* mapPixelComponentEnumToString(PixelComponentEnum components) {
  return toText(kComponents, components, kOfxImageComponentNone);
}
PixelComponentEnum mapPixelComponentStringToEnum(const std::string& text) {
  if (text.empty()) return ePixelComponentNone;
  return toValue(kComponents, text, ePixelComponentCustom);
}

FieldEnum mapFieldStringToEnum(const std::string& text) { return toValue(kFields, text, eFieldNone); }

InstanceChangeReason mapChangeReasonStringToEnum(const std::string& text) {
  return toValue(kReasons, text, eChangeUserEdit);
}

const char* mapRenderSafetyEnumToString(RenderSafetyEnum safety) {
  return toText(kSafeties, safety, kOfxImageEffectRenderInstanceSafe);
}

const char* mapDoubleTypeEnumToString(DoubleTypeEnum type) {
  return toText(kDoubleTypes, type, kOfxParamDoubleTypePlain);
}

const char* mapCoordinateSystemEnumToString(CoordinateSystemEnum system) {
  return system == eCoordinatesNormalised ? kOfxParamCoordinatesNormalised : kOfxParamCoordinatesCanonical;
}

const char* mapStringTypeEnumToString(StringTypeEnum type) {
  return toText(kStringTypes, type, kOfxParamStringIsSingleLine);
}

const char* mapParamTypeEnumToString(ParamTypeEnum type) { return toText(kParamTypes, type, ""); }
ParamTypeEnum mapParamTypeStringToEnum(const std::string& text) { return toValue(kParamTypes, text, eDummyParam); }

}  // namespace OFX
