// Option labels extend a choice descriptor's hint: the hint, an empty line,
// then one "option: label" line per labelled option.
#include "tests/openfx/SupportTestPlugin.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct HintCase {
  const char* name;
  std::string hint;
  std::vector<std::pair<std::string, std::string>> options;  // option, label
  std::string expectedHint;
};

class SupportChoiceHint : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK); }

  // A descriptor over a fresh choice parameter of the fake host.
  std::unique_ptr<OFX::ChoiceParamDescriptor> makeChoice() {
    fakehost::Param& param = host.addParam(host.newEffect(), kOfxParamTypeChoice, "mode", {});
    lastProps = &param.props;
    return std::make_unique<OFX::ChoiceParamDescriptor>("mode", fakehost::FakeHost::handle(param.props));
  }

  fakehost::FakeHost host;
  fakehost::PropertySetStruct* lastProps = nullptr;
};

TEST_F(SupportChoiceHint, OptionLabelsAddLinesBelowTheHint) {
  const std::vector<HintCase> cases = {
      {"labelled options", "How the edge is extended", {{"Stretch", "Stretch"}, {"Mirror", "Mirror"}},
       "How the edge is extended\n\nStretch: Stretch\nMirror: Mirror"},
      {"options without labels", "Select a preset", {{"(no presets found)", ""}}, "Select a preset"},
      {"only some labelled", "Mode", {{"a", ""}, {"b", "Second"}, {"c", ""}, {"d", "Fourth"}},
       "Mode\n\nb: Second\nd: Fourth"},
      {"label differs from option", "Output", {{"Result", "Final image"}}, "Output\n\nResult: Final image"},
      {"empty hint", "", {{"x", "X"}, {"y", "Y"}}, "x: X\ny: Y"},
      {"no options", "Just a hint", {}, "Just a hint"},
  };
  for (const auto& c : cases) {
    auto choice = makeChoice();
    choice->setHint(c.hint);
    for (const auto& option : c.options) choice->appendOption(option.first, option.second);
    EXPECT_EQ(lastProps->getString(kOfxParamPropHint), c.expectedHint) << c.name;
    std::vector<std::string> expectedOptions;
    for (const auto& option : c.options) expectedOptions.push_back(option.first);
    EXPECT_EQ(lastProps->getStrings(kOfxParamPropChoiceOption), expectedOptions) << c.name;
    EXPECT_EQ(choice->getNOptions(), static_cast<int>(c.options.size())) << c.name;
  }
}

TEST_F(SupportChoiceHint, HintSetAfterTheOptionsKeepsTheirLines) {
  auto choice = makeChoice();
  choice->appendOption("Stretch", "Stretch");
  choice->appendOption("Mirror", "Mirror");
  choice->setHint("Edge mode");
  EXPECT_EQ(lastProps->getString(kOfxParamPropHint), "Edge mode\n\nStretch: Stretch\nMirror: Mirror");
}

TEST_F(SupportChoiceHint, ResettingOptionsRemovesTheirLinesAndKeepsTheHint) {
  auto choice = makeChoice();
  choice->setHint("Edge mode");
  choice->appendOption("Stretch", "Stretch");
  choice->resetOptions();
  EXPECT_EQ(lastProps->getString(kOfxParamPropHint), "Edge mode");
  EXPECT_EQ(lastProps->dimension(kOfxParamPropChoiceOption), 0);
  choice->appendOption("Mirror", "Reflect");
  EXPECT_EQ(lastProps->getString(kOfxParamPropHint), "Edge mode\n\nMirror: Reflect");
  EXPECT_EQ(lastProps->getStrings(kOfxParamPropChoiceOption), std::vector<std::string>{"Mirror"});
}

TEST_F(SupportChoiceHint, ComposeHintIsTheSameRule) {
  EXPECT_EQ(OFX::ChoiceParamDescriptor::composeHint("H", {"a: A"}), "H\n\na: A");
  EXPECT_EQ(OFX::ChoiceParamDescriptor::composeHint("H", {}), "H");
  EXPECT_EQ(OFX::ChoiceParamDescriptor::composeHint("", {"a: A", "b: B"}), "a: A\nb: B");
}

}  // namespace
