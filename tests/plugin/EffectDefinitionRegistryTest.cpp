// EffectDefinitionRegistry: lookup by name, replacement, clearing, null definitions and use
// from several threads.
#include "definition/XMLEffectDefinition.h"
#include "plugin/EffectDefinitionRegistry.h"
#include "UnitLogFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class EffectDefinitionRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EffectDefinitionRegistry::clear();
        logName = plugin_test::uniqueEffectName("eb_plugin_unit_registry");
        Logger::getInstance().setDebugLevel(LOG_DEBUG);
        Logger::getInstance().setEffectName(logName);
    }
    void TearDown() override
    {
        EffectDefinitionRegistry::clear();
        plugin_test::removeLogFiles(logName);
    }

    std::string logName;
    XMLEffectDefinition first;
    XMLEffectDefinition second;
};

TEST_F(EffectDefinitionRegistryTest, UnknownNameGivesNull)
{
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Edge Bleed"), nullptr);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition(""), nullptr);
}

TEST_F(EffectDefinitionRegistryTest, RegisteredDefinitionIsFoundByExactName)
{
    EffectDefinitionRegistry::registerDefinition("Edge Bleed", &first);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Edge Bleed"), &first);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("edge bleed"), nullptr);
    EXPECT_NE(plugin_test::flushedLog(logName).find(
                  "[DEBUG] EffectDefinitionRegistry registered definition for 'Edge Bleed'\n"),
              std::string::npos);
}

TEST_F(EffectDefinitionRegistryTest, RegisteringTheSameNameTwiceKeepsTheSecondPointer)
{
    EffectDefinitionRegistry::registerDefinition("Effect", &first);
    EffectDefinitionRegistry::registerDefinition("Effect", &second);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Effect"), &second);
}

TEST_F(EffectDefinitionRegistryTest, NamesAreIndependent)
{
    EffectDefinitionRegistry::registerDefinition("One", &first);
    EffectDefinitionRegistry::registerDefinition("Two", &second);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("One"), &first);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Two"), &second);
}

TEST_F(EffectDefinitionRegistryTest, NullDefinitionIsLoggedAndIgnored)
{
    EffectDefinitionRegistry::registerDefinition("Effect", &first);
    EffectDefinitionRegistry::registerDefinition("Effect", nullptr);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Effect"), &first);
    EffectDefinitionRegistry::registerDefinition("Other", nullptr);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Other"), nullptr);

    const std::string log = plugin_test::flushedLog(logName);
    EXPECT_NE(log.find("[ERROR] EffectDefinitionRegistry::registerDefinition called with null definition for Effect\n"),
              std::string::npos);
    EXPECT_NE(log.find("[ERROR] EffectDefinitionRegistry::registerDefinition called with null definition for Other\n"),
              std::string::npos);
    EXPECT_EQ(plugin_test::countOccurrences(log, "registered definition for 'Effect'"), 1);
}

TEST_F(EffectDefinitionRegistryTest, ClearForgetsEveryName)
{
    EffectDefinitionRegistry::registerDefinition("One", &first);
    EffectDefinitionRegistry::registerDefinition("Two", &second);
    EffectDefinitionRegistry::clear();
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("One"), nullptr);
    EXPECT_EQ(EffectDefinitionRegistry::getDefinition("Two"), nullptr);
}

TEST_F(EffectDefinitionRegistryTest, ConcurrentRegistrationAndLookupSeeOnlyRegisteredPointers)
{
    Logger::getInstance().setDebugLevel(LOG_ERROR);  // keep the log small
    std::atomic<bool> sawForeignPointer{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                const std::string name = "effect" + std::to_string(i % 7);
                EffectDefinitionRegistry::registerDefinition(name, (i + t) % 2 == 0 ? &first : &second);
                const XMLEffectDefinition* found = EffectDefinitionRegistry::getDefinition(name);
                if (found != &first && found != &second) sawForeignPointer = true;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_FALSE(sawForeignPointer);
    for (int i = 0; i < 7; ++i) {
        EXPECT_NE(EffectDefinitionRegistry::getDefinition("effect" + std::to_string(i)), nullptr);
    }
}

} // namespace
