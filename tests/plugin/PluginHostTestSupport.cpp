#include "PluginHostTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace plugin_test {

std::string edgeBleedBundlePath() { return EDGE_BLEED_TEST_BUNDLE; }

std::string fixtureBundlePath(const std::string& fixture)
{
    return std::string(PLUGIN_FIXTURE_BUNDLE_DIR) + "/fixture_" + fixture + ".ofx.bundle";
}

std::string fixtureIdentifier(const std::string& fixture)
{
    return "eb_fixture_" + fixture + "_" + PLUGIN_FIXTURE_TAG;
}

std::string fixturePluginIdentifier(const std::string& fixture)
{
    return "com.lanternkit." + fixtureIdentifier(fixture);
}

std::string logPathFor(const std::string& identifier) { return "/tmp/" + identifier + "_plugin_log.txt"; }

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int countOccurrences(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (std::string::size_type at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

ofxhost::PluginHandle& onlyPlugin(ofxhost::Bundle& bundle)
{
    EXPECT_EQ(bundle.pluginCount(), 1);
    return bundle.plugin(0);
}

ofxhost::ImageEffectObject* describedContext(ofxhost::PluginHandle& plugin, const std::string& context)
{
    const OfxStatus status = plugin.describeInContext(context);
    EXPECT_EQ(status, kOfxStatOK) << context;
    if (status != kOfxStatOK) return nullptr;
    ofxhost::ImageEffectObject* described = plugin.contextDescriptor(context);
    EXPECT_NE(described, nullptr) << context;
    return described;
}

std::vector<std::string> paramNames(const ofxhost::ImageEffectObject& effect)
{
    std::vector<std::string> names;
    for (const auto& p : effect.params().params()) names.push_back(p->name());
    return names;
}

std::vector<std::string> clipNames(const ofxhost::ImageEffectObject& effect)
{
    std::vector<std::string> names;
    for (const auto& clip : effect.clips()) names.push_back(clip->name());
    return names;
}

const ofxhost::Param& param(ofxhost::ImageEffectObject& effect, const std::string& name)
{
    const ofxhost::Param* found = effect.params().find(name);
    if (found == nullptr) {
        ADD_FAILURE() << "no parameter " << name;
        static ofxhost::ParamSet scratch;
        static ofxhost::Param* missing = scratch.define(kOfxParamTypeDouble, "<missing>");
        return *missing;
    }
    return *found;
}

}  // namespace plugin_test
