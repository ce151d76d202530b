#pragma once

// The effect definition document compiled into the library, NUL-terminated. Every bundle
// links exactly one target made by eb_embed_definition() (definition/EmbedDefinition.cmake),
// which generates this constant from an XML file.
extern const char kEmbeddedEffectDefinition[];
