// One creation function per parameter kind: each defines the host parameter under the
// definition's name, gives it the definition's label as label, short and long label, then the
// settings its kind takes from the definition.
#include "plugin/XMLParameterManager.h"

#include "openfx/support/ImageEffectDescriptor.h"
#include "plugin/ParameterDefaults.h"

namespace {

void setAllLabels(OFX::ParamDescriptor& param, const std::string& label) { param.setLabels(label, label, label); }

// A vector component's default, minimum and maximum: 0, 0 and 1 when the component is missing.
struct AxisValues {
    double defaultValue = 0.0;
    double minValue = 0.0;
    double maxValue = 1.0;
};

AxisValues axisValues(const XMLEffectDefinition::ParameterDef& def, const char* axis)
{
    AxisValues values;
    if (const auto* component = findComponent(def, axis)) {
        values.defaultValue = component->defaultValue;
        values.minValue = component->minValue;
        values.maxValue = component->maxValue;
    }
    return values;
}

} // namespace

OFX::DoubleParamDescriptor* XMLParameterManager::createDoubleParam(const ParameterDef& def,
                                                                   OFX::ImageEffectDescriptor& desc)
{
    OFX::DoubleParamDescriptor* param = desc.defineDoubleParam(def.name);
    setAllLabels(*param, def.label);
    param->setRange(def.minValue, def.maxValue);
    param->setDisplayRange(def.displayMin, def.displayMax);
    param->setDefault(def.defaultValue);
    param->setIncrement(def.increment);
    applyResolutionDependency(*param, def.resDependent, def.hint);
    return param;
}

OFX::IntParamDescriptor* XMLParameterManager::createIntParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc)
{
    OFX::IntParamDescriptor* param = desc.defineIntParam(def.name);
    setAllLabels(*param, def.label);
    param->setRange(truncateToInt(def.minValue), truncateToInt(def.maxValue));
    param->setDisplayRange(truncateToInt(def.displayMin), truncateToInt(def.displayMax));
    param->setDefault(truncateToInt(def.defaultValue));
    applyResolutionDependency(*param, def.resDependent, def.hint);
    return param;
}

OFX::BooleanParamDescriptor* XMLParameterManager::createBooleanParam(const ParameterDef& def,
                                                                     OFX::ImageEffectDescriptor& desc)
{
    OFX::BooleanParamDescriptor* param = desc.defineBooleanParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setDefault(def.defaultBool);
    return param;
}

OFX::ChoiceParamDescriptor* XMLParameterManager::createChoiceParam(const ParameterDef& def,
                                                                   OFX::ImageEffectDescriptor& desc)
{
    OFX::ChoiceParamDescriptor* param = desc.defineChoiceParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    // The label is both the option text and the option label, so each option also adds a
    // "label: label" line to the hint.
    for (const XMLEffectDefinition::ParameterOptionDef& option : def.options) {
        param->appendOption(option.label, option.label);
    }
    param->setDefault(truncateToInt(def.defaultValue));
    return param;
}

OFX::RGBParamDescriptor* XMLParameterManager::createColorParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc)
{
    OFX::RGBParamDescriptor* param = desc.defineRGBParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setDefault(componentDefault(def, "r", 0.0), componentDefault(def, "g", 0.0), componentDefault(def, "b", 0.0));
    return param;
}

OFX::Double2DParamDescriptor* XMLParameterManager::createVec2Param(const ParameterDef& def,
                                                                   OFX::ImageEffectDescriptor& desc)
{
    OFX::Double2DParamDescriptor* param = desc.defineDouble2DParam(def.name);
    setAllLabels(*param, def.label);
    param->setDoubleType(OFX::eDoubleTypeXYAbsolute);
    param->setDefaultCoordinateSystem(OFX::eCoordinatesNormalised);
    const AxisValues x = axisValues(def, "x");
    const AxisValues y = axisValues(def, "y");
    param->setRange(x.minValue, y.minValue, x.maxValue, y.maxValue);
    param->setDisplayRange(x.minValue, y.minValue, x.maxValue, y.maxValue);
    param->setDefault(x.defaultValue, y.defaultValue);
    applyResolutionDependency(*param, def.resDependent, def.hint);
    return param;
}

OFX::Double3DParamDescriptor* XMLParameterManager::createVec3Param(const ParameterDef& def,
                                                                   OFX::ImageEffectDescriptor& desc)
{
    OFX::Double3DParamDescriptor* param = desc.defineDouble3DParam(def.name);
    setAllLabels(*param, def.label);
    const AxisValues x = axisValues(def, "x");
    const AxisValues y = axisValues(def, "y");
    const AxisValues z = axisValues(def, "z");
    param->setRange(x.minValue, y.minValue, z.minValue, x.maxValue, y.maxValue, z.maxValue);
    param->setDisplayRange(x.minValue, y.minValue, z.minValue, x.maxValue, y.maxValue, z.maxValue);
    param->setDefault(x.defaultValue, y.defaultValue, z.defaultValue);
    applyResolutionDependency(*param, def.resDependent, def.hint);
    return param;
}

OFX::RGBAParamDescriptor* XMLParameterManager::createColorRGBAParam(const ParameterDef& def,
                                                                    OFX::ImageEffectDescriptor& desc)
{
    OFX::RGBAParamDescriptor* param = desc.defineRGBAParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setDefault(componentDefault(def, "r", 0.0), componentDefault(def, "g", 0.0), componentDefault(def, "b", 0.0),
                      componentDefault(def, "a", 1.0));
    return param;
}

OFX::StringParamDescriptor* XMLParameterManager::createStringParam(const ParameterDef& def,
                                                                   OFX::ImageEffectDescriptor& desc)
{
    OFX::StringParamDescriptor* param = desc.defineStringParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setDefault(def.defaultString);
    return param;
}

OFX::StringParamDescriptor* XMLParameterManager::createFilePathParam(const ParameterDef& def,
                                                                     OFX::ImageEffectDescriptor& desc)
{
    OFX::StringParamDescriptor* param = desc.defineStringParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setDefault(def.defaultString);
    param->setStringType(OFX::eStringTypeFilePath);
    param->setFilePathExists(def.mustExist);
    return param;
}

OFX::PushButtonParamDescriptor* XMLParameterManager::createPushButtonParam(const ParameterDef& def,
                                                                           OFX::ImageEffectDescriptor& desc)
{
    OFX::PushButtonParamDescriptor* param = desc.definePushButtonParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    return param;
}

OFX::ParametricParamDescriptor* XMLParameterManager::createCurveParam(const ParameterDef& def,
                                                                      OFX::ImageEffectDescriptor& desc)
{
    OFX::ParametricParamDescriptor* param = desc.defineParametricParam(def.name);
    setAllLabels(*param, def.label);
    param->setHint(def.hint);
    param->setRange(0.0, 1.0);
    param->setDimension(1);
    for (const auto& point : curveShapePoints(def.defaultShape)) {
        param->addControlPoint(0, 0.0, point.first, point.second, false);
    }
    return param;
}
