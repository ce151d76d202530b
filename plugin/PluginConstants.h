#pragma once

// Every plug-in identifier of this framework starts with this prefix (see
// GenericEffectFactory::generatePluginIdentifier).
inline constexpr const char kPluginIdentifierPrefix[] = "com.lanternkit.";
