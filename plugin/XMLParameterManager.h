#pragma once

#include "definition/XMLEffectDefinition.h"

#include <map>
#include <string>

namespace OFX {
class ImageEffectDescriptor;
class ParamDescriptor;
class PageParamDescriptor;
class DoubleParamDescriptor;
class IntParamDescriptor;
class BooleanParamDescriptor;
class ChoiceParamDescriptor;
class RGBParamDescriptor;
class RGBAParamDescriptor;
class Double2DParamDescriptor;
class Double3DParamDescriptor;
class StringParamDescriptor;
class PushButtonParamDescriptor;
class ParametricParamDescriptor;
}

// Turns a definition's parameters into host parameter descriptors and lays them out: one page,
// one group per UI group, each referenced parameter parented to its group. The host name of
// each parameter is its definition name. Stateless; created for one description. The page map
// is owned by the caller and shared by both operations.
class XMLParameterManager {
public:
    using PageMap = std::map<std::string, OFX::PageParamDescriptor*>;

    // Creates every parameter in definition order (the page "Main" first when `pages` is
    // empty). Unsupported type texts are reported on stderr and skipped. False when an
    // exception stopped it, including a parameter that takes a framework parameter's name.
    bool createParameters(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc, PageMap& pages);

    // Creates the groups on the first page and parents their parameters (column references
    // first, then direct ones); a reference to a parameter that does not exist is logged and
    // skipped. False when an exception stopped it.
    bool organizeUI(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc, PageMap& pages);

    OFX::PageParamDescriptor* createPage(const std::string& name, OFX::ImageEffectDescriptor& desc);

    // Sets the hint to `hint` plus the suffix of the resolution dependency; nothing else changes.
    void applyResolutionDependency(OFX::ParamDescriptor& param, const std::string& resDependent, const std::string& hint);

    using ParameterDef = XMLEffectDefinition::ParameterDef;
    OFX::DoubleParamDescriptor* createDoubleParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::IntParamDescriptor* createIntParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::BooleanParamDescriptor* createBooleanParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::ChoiceParamDescriptor* createChoiceParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::RGBParamDescriptor* createColorParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::Double2DParamDescriptor* createVec2Param(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::Double3DParamDescriptor* createVec3Param(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::RGBAParamDescriptor* createColorRGBAParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::StringParamDescriptor* createStringParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::StringParamDescriptor* createFilePathParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::PushButtonParamDescriptor* createPushButtonParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
    OFX::ParametricParamDescriptor* createCurveParam(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);

private:
    // Calls the creation function of the parameter's type text; false for an unsupported type.
    bool createParameterOfType(const ParameterDef& def, OFX::ImageEffectDescriptor& desc);
};
