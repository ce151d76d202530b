// The property wrapper: typed access, failures as exceptions or defaults.
#include "tests/openfx/SupportTestPlugin.h"

#include <gtest/gtest.h>

namespace {

class SupportPropertySet : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK); }
  fakehost::FakeHost host;
  fakehost::PropertySetStruct& store = host.newArgs();
  OFX::PropertySet props{fakehost::FakeHost::handle(store)};
};

TEST_F(SupportPropertySet, ValuesOfEveryTypeRoundTrip) {
  int marker = 0;
  props.propSetString("s", "text");
  props.propSetInt("i", -3);
  props.propSetDouble("d", 2.5);
  props.propSetPointer("p", &marker);
  props.propSetString("list", "a", 0);
  props.propSetString("list", "b", 1);
  EXPECT_EQ(props.propGetString("s"), "text");
  EXPECT_EQ(props.propGetInt("i"), -3);
  EXPECT_DOUBLE_EQ(props.propGetDouble("d"), 2.5);
  EXPECT_EQ(props.propGetPointer("p"), &marker);
  EXPECT_EQ(props.propGetDimension("list"), 2);
  EXPECT_EQ(props.propGetStrings("list"), (std::vector<std::string>{"a", "b"}));
  props.propReset("list");
  EXPECT_EQ(props.propGetDimension("list"), 0);
}

TEST_F(SupportPropertySet, FailuresThrowTheMatchingException) {
  props.propSetInt("i", 1);
  EXPECT_THROW(props.propGetInt("missing"), OFX::Exception::PropertyUnknownToHost);
  EXPECT_THROW(props.propGetInt("i", 5), OFX::Exception::PropertyValueIllegalToHost);
  EXPECT_THROW(props.propGetString("i"), OFX::Exception::PropertyValueIllegalToHost);
  EXPECT_THROW(props.propSetInt("i", 1, 9), OFX::Exception::PropertyValueIllegalToHost);
  EXPECT_THROW(props.propGetDimension("missing"), OFX::Exception::PropertyUnknownToHost);
}

TEST_F(SupportPropertySet, TolerantCallsGiveDefaultsInsteadOfThrowing) {
  EXPECT_EQ(props.propGetString("missing", 0, false), "");
  EXPECT_EQ(props.propGetInt("missing", 0, false), 0);
  EXPECT_EQ(props.propGetDouble("missing", 0, false), 0.0);
  EXPECT_EQ(props.propGetPointer("missing", 0, false), nullptr);
  EXPECT_EQ(props.propGetDimension("missing", false), 0);
  EXPECT_TRUE(props.propGetStrings("missing", false).empty());
  props.propSetInt("i", 1);
  EXPECT_NO_THROW(props.propSetString("i", "wrong type", 0, false));
  EXPECT_EQ(props.propGetInt("i"), 1);
}

TEST_F(SupportPropertySet, AnEmptyHandleFailsLoudlyOrQuietly) {
  OFX::PropertySet none;
  EXPECT_FALSE(none.isValid());
  EXPECT_THROW(none.propGetInt("x"), OFX::Exception::Suite);
  EXPECT_EQ(none.propGetInt("x", 0, false), 0);
  EXPECT_NO_THROW(none.propSetInt("x", 1, 0, false));
}

}  // namespace
