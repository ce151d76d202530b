// The sections both document forms share. The pipeline, whose accepted forms differ between the
// embedded and the file reader, is read by each reader between these two calls.
#include "definition/DefinitionDocument.h"

void XMLEffectDefinition::readSectionsBeforePipeline(const pugi::xml_node& effect)
{
    readEffectAttributes(effect);
    if (const pugi::xml_node node = effect.child("inputs")) {
        readInputs(node);
    }
    if (const pugi::xml_node node = effect.child("resources")) {
        readResources(node);
    }
    if (const pugi::xml_node node = effect.child("parameters")) {
        readParameters(node);
    }
    if (const pugi::xml_node node = effect.child("ui")) {
        readUI(node);
    }
}

void XMLEffectDefinition::readSectionsAfterPipeline(const pugi::xml_node& effect)
{
    if (const pugi::xml_node node = effect.child("identity_conditions")) {
        readIdentityConditions(node);
    }
    if (const pugi::xml_node node = effect.child("overlays")) {
        readOverlays(node);
    }
}
