#include "plugin/FrameworkParameters.h"

#include "openfx/support/ImageEffectDescriptor.h"

#include <array>

namespace {

constexpr std::array<const char*, 9> kFrameworkParameterNames = {
    "presetsHelp", "factory_preset_list", "preset_list", "delete_preset", "preset_name",
    "save_preset", "tutorialsButton",     "Global Blend", "Blend",
};

void setAllLabels(OFX::ParamDescriptor& param, const std::string& label) { param.setLabels(label, label, label); }

void definePushButton(OFX::ImageEffectDescriptor& desc, const OFX::GroupParamDescriptor& group,
                      const char* name, const char* label, const char* hint)
{
    OFX::PushButtonParamDescriptor* button = desc.definePushButtonParam(name);
    setAllLabels(*button, label);
    button->setHint(hint);
    button->setParent(group);
}

// A preset choice starts with one placeholder option, without an option label so the hint
// stays as set; the instance fills in the real preset names.
void definePresetChoice(OFX::ImageEffectDescriptor& desc, const OFX::GroupParamDescriptor& group,
                        const char* name, const char* label, const char* hint, const char* placeholder)
{
    OFX::ChoiceParamDescriptor* choice = desc.defineChoiceParam(name);
    setAllLabels(*choice, label);
    choice->setHint(hint);
    choice->appendOption(placeholder);
    choice->setDefault(0);
    choice->setParent(group);
}

} // namespace

void definePresetsHelpSection(OFX::ImageEffectDescriptor& desc)
{
    OFX::GroupParamDescriptor* group = desc.defineGroupParam("presetsHelp");
    setAllLabels(*group, "Presets & Help");
    group->setHint("Save and load effect presets, access documentation");
    group->setOpen(false);

    definePresetChoice(desc, *group, "factory_preset_list", "Factory Presets",
                       "Select a factory preset to apply it immediately", "(no factory presets)");
    definePresetChoice(desc, *group, "preset_list", "My Presets", "Select a user preset to apply it immediately",
                       "(no presets found)");
    definePushButton(desc, *group, "delete_preset", "Delete", "Delete the selected preset");

    OFX::StringParamDescriptor* name = desc.defineStringParam("preset_name");
    setAllLabels(*name, "Save As");
    name->setHint("Enter name for new preset (e.g., misty_pane)");
    name->setDefault("");
    name->setParent(*group);

    definePushButton(desc, *group, "save_preset", "Save", "Save current parameters with the given name");
    definePushButton(desc, *group, "tutorialsButton", "Tutorials & Documentation",
                     "View tutorials, guides, and documentation for this effect");
}

void defineGlobalBlendSection(OFX::ImageEffectDescriptor& desc)
{
    OFX::GroupParamDescriptor* group = desc.defineGroupParam("Global Blend");
    setAllLabels(*group, "Global Blend");
    group->setHint("Blend the effect with the original image");
    group->setOpen(true);

    OFX::DoubleParamDescriptor* blend = desc.defineDoubleParam("Blend");
    setAllLabels(*blend, "Blend");
    blend->setHint("Amount of effect to apply (0.0 = original image, 1.0 = full effect)");
    blend->setDefault(1.0);
    blend->setRange(0.0, 1.0);
    blend->setDisplayRange(0.0, 1.0);
    blend->setIncrement(0.01);
    blend->setParent(*group);
}

bool isFrameworkParameterName(const std::string& name)
{
    for (const char* reserved : kFrameworkParameterNames) {
        if (name == reserved) return true;
    }
    return false;
}
