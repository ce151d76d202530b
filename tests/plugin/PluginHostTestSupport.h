#pragma once
// Loading the built bundles through the host library, reading what a described effect declared,
// and reading a bundle's start-up log file.

#include "host/Bundle.h"
#include "host/ImageEffect.h"
#include "host/Param.h"

#include <memory>
#include <string>
#include <vector>

namespace plugin_test {

inline constexpr const char kFilterContext[] = "OfxImageEffectContextFilter";
inline constexpr const char kGeneralContext[] = "OfxImageEffectContextGeneral";

std::string edgeBleedBundlePath();
// A fixture bundle by its fixture name ("all_types"): path, effect identifier, plug-in identifier.
std::string fixtureBundlePath(const std::string& fixture);
std::string fixtureIdentifier(const std::string& fixture);
std::string fixturePluginIdentifier(const std::string& fixture);
// The start-up log file of an effect identifier.
std::string logPathFor(const std::string& identifier);

std::string readWholeFile(const std::string& path);
int countOccurrences(const std::string& text, const std::string& needle);

// The bundle's only plug-in; fails the calling test when there is not exactly one.
ofxhost::PluginHandle& onlyPlugin(ofxhost::Bundle& bundle);

// The context descriptor after a successful describe-in-context (null, with a test failure, otherwise).
ofxhost::ImageEffectObject* describedContext(ofxhost::PluginHandle& plugin, const std::string& context);

// Names of the descriptor's parameters and clips, in declaration order.
std::vector<std::string> paramNames(const ofxhost::ImageEffectObject& effect);
std::vector<std::string> clipNames(const ofxhost::ImageEffectObject& effect);

// One parameter of a described effect; fails the calling test when it does not exist.
const ofxhost::Param& param(ofxhost::ImageEffectObject& effect, const std::string& name);

}  // namespace plugin_test
