// Property suite semantics: typed get/set by index and in bulk, dimensions, reset, and every error status.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/HostError.h"
#include "host/PropertySet.h"

using ofxhost::PropertySet;

namespace {

const OfxPropertySuiteV1 &suite() { return *ofxhost::propertySuite(); }

TEST(PropertySuite, ReadsEveryTypeByIndexAndInBulk) {
  PropertySet set(false);
  int anchor = 0;
  set.defineInt("i", 2, {3, 4});
  set.defineDouble("d", 2, {0.5, 1.5});
  set.defineString("s", 0, {"a", "b", "c"});
  set.definePointer("p", 1, {&anchor});
  OfxPropertySetHandle h = set.handle();

  int i = 0;
  double d = 0;
  char *s = nullptr;
  void *p = nullptr;
  EXPECT_EQ(suite().propGetInt(h, "i", 1, &i), kOfxStatOK);
  EXPECT_EQ(i, 4);
  EXPECT_EQ(suite().propGetDouble(h, "d", 0, &d), kOfxStatOK);
  EXPECT_EQ(d, 0.5);
  EXPECT_EQ(suite().propGetString(h, "s", 2, &s), kOfxStatOK);
  EXPECT_STREQ(s, "c");
  EXPECT_EQ(suite().propGetPointer(h, "p", 0, &p), kOfxStatOK);
  EXPECT_EQ(p, &anchor);

  int ints[2] = {0, 0};
  double doubles[2] = {0, 0};
  char *strings[3] = {nullptr, nullptr, nullptr};
  EXPECT_EQ(suite().propGetIntN(h, "i", 2, ints), kOfxStatOK);
  EXPECT_EQ(ints[0], 3);
  EXPECT_EQ(suite().propGetDoubleN(h, "d", 2, doubles), kOfxStatOK);
  EXPECT_EQ(doubles[1], 1.5);
  EXPECT_EQ(suite().propGetStringN(h, "s", 3, strings), kOfxStatOK);
  EXPECT_STREQ(strings[1], "b");

  int dim = -1;
  EXPECT_EQ(suite().propGetDimension(h, "s", &dim), kOfxStatOK);
  EXPECT_EQ(dim, 3);
}

struct ErrorCase {
  const char *what;
  OfxStatus (*call)(OfxPropertySetHandle);
  OfxStatus expected;
};

const ErrorCase kErrors[] = {
    {"get unknown", [](OfxPropertySetHandle h) { int v; return suite().propGetInt(h, "nope", 0, &v); }, kOfxStatErrUnknown},
    {"get wrong type", [](OfxPropertySetHandle h) { double v; return suite().propGetDouble(h, "fixed", 0, &v); }, kOfxStatErrUnknown},
    {"get index past end", [](OfxPropertySetHandle h) { int v; return suite().propGetInt(h, "fixed", 2, &v); }, kOfxStatErrBadIndex},
    {"get negative index", [](OfxPropertySetHandle h) { int v; return suite().propGetInt(h, "fixed", -1, &v); }, kOfxStatErrBadIndex},
    {"getN past end", [](OfxPropertySetHandle h) { int v[3]; return suite().propGetIntN(h, "fixed", 3, v); }, kOfxStatErrBadIndex},
    {"set unknown on closed set", [](OfxPropertySetHandle h) { return suite().propSetInt(h, "nope", 0, 1); }, kOfxStatErrUnknown},
    {"set wrong type", [](OfxPropertySetHandle h) { return suite().propSetString(h, "fixed", 0, "x"); }, kOfxStatErrValue},
    {"set past fixed dimension", [](OfxPropertySetHandle h) { return suite().propSetInt(h, "fixed", 2, 1); }, kOfxStatErrBadIndex},
    {"set negative index", [](OfxPropertySetHandle h) { return suite().propSetInt(h, "fixed", -1, 1); }, kOfxStatErrBadIndex},
    {"setN past fixed dimension", [](OfxPropertySetHandle h) { const int v[3] = {1, 2, 3}; return suite().propSetIntN(h, "fixed", 3, v); }, kOfxStatErrBadIndex},
    {"reset unknown", [](OfxPropertySetHandle h) { return suite().propReset(h, "nope"); }, kOfxStatErrUnknown},
    {"dimension of unknown", [](OfxPropertySetHandle h) { int n; return suite().propGetDimension(h, "nope", &n); }, kOfxStatErrUnknown},
    {"null name", [](OfxPropertySetHandle h) { int v; return suite().propGetInt(h, nullptr, 0, &v); }, kOfxStatErrUnknown},
    {"null handle", [](OfxPropertySetHandle) { int v; return suite().propGetInt(nullptr, "fixed", 0, &v); }, kOfxStatErrBadHandle},
    {"foreign handle", [](OfxPropertySetHandle) { static int x; int v; return suite().propGetInt(reinterpret_cast<OfxPropertySetHandle>(&x), "fixed", 0, &v); }, kOfxStatErrBadHandle},
};

TEST(PropertySuite, ReportsEveryErrorStatus) {
  for (const ErrorCase &c : kErrors) {
    PropertySet set(false);
    set.defineInt("fixed", 2, {1, 2});
    EXPECT_EQ(c.call(set.handle()), c.expected) << c.what;
    EXPECT_EQ(set.getInts("fixed"), (std::vector<int>{1, 2})) << c.what << " must leave the value alone";
  }
}

TEST(PropertySuite, StaleHandleIsRefused) {
  auto set = std::make_unique<PropertySet>(true);
  // Kept as a number: the host must recognise the stale address without touching it.
  volatile std::uintptr_t address = reinterpret_cast<std::uintptr_t>(set->handle());
  set.reset();
  OfxPropertySetHandle stale = reinterpret_cast<OfxPropertySetHandle>(address);
  int v;
  EXPECT_EQ(suite().propGetInt(stale, "x", 0, &v), kOfxStatErrBadHandle);
}

TEST(PropertySuite, VariableDimensionGrowsByIndexAndResets) {
  PropertySet set(false);
  set.defineString("options", 0, {});
  OfxPropertySetHandle h = set.handle();
  EXPECT_EQ(suite().propSetString(h, "options", 0, "A"), kOfxStatOK);
  EXPECT_EQ(suite().propSetString(h, "options", 1, "B"), kOfxStatOK);
  EXPECT_EQ(set.getStrings("options"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(suite().propReset(h, "options"), kOfxStatOK);
  EXPECT_EQ(set.dimension("options"), 0);
  // A gap is filled with empty values.
  EXPECT_EQ(suite().propSetString(h, "options", 2, "C"), kOfxStatOK);
  EXPECT_EQ(set.getStrings("options"), (std::vector<std::string>{"", "", "C"}));
  // setN on a variable property replaces the whole value.
  const char *two[] = {"x", "y"};
  EXPECT_EQ(suite().propSetStringN(h, "options", 2, two), kOfxStatOK);
  EXPECT_EQ(set.getStrings("options"), (std::vector<std::string>{"x", "y"}));
}

TEST(PropertySuite, ResetRestoresDefaultsOfFixedProperties) {
  PropertySet set(false);
  set.defineDouble("scale", 2, {1.0, 1.0});
  EXPECT_EQ(suite().propSetDouble(set.handle(), "scale", 1, 0.5), kOfxStatOK);
  EXPECT_EQ(set.getDoubles("scale"), (std::vector<double>{1.0, 0.5}));
  EXPECT_EQ(suite().propReset(set.handle(), "scale"), kOfxStatOK);
  EXPECT_EQ(set.getDoubles("scale"), (std::vector<double>{1.0, 1.0}));
}

TEST(PropertySuite, OpenSetCreatesPropertiesOnSet) {
  PropertySet set(true);
  EXPECT_EQ(suite().propSetInt(set.handle(), "custom", 0, 7), kOfxStatOK);
  EXPECT_EQ(set.getInt("custom"), 7);
  EXPECT_EQ(set.type("custom"), ofxhost::PropType::Int);
}

TEST(PropertySuite, StringValuesAreCopied) {
  PropertySet set(true);
  std::string text = "first";
  EXPECT_EQ(suite().propSetString(set.handle(), "s", 0, text.c_str()), kOfxStatOK);
  text = "changed";
  EXPECT_EQ(set.getString("s"), "first");
  // A null string is stored as empty rather than dereferenced.
  EXPECT_EQ(suite().propSetString(set.handle(), "s", 0, nullptr), kOfxStatOK);
  EXPECT_EQ(set.getString("s"), "");
}

TEST(PropertySet, HostSideReadsThrowOnMisuse) {
  PropertySet set(false);
  set.defineInt("i", 1, {1});
  EXPECT_THROW(set.getInt("missing"), ofxhost::HostError);
  EXPECT_THROW(set.getDouble("i"), ofxhost::HostError);
  EXPECT_THROW(set.getInt("i", 1), ofxhost::HostError);
  EXPECT_EQ(set.valueText("i"), "1");
}

TEST(PropertySet, CopyFromKeepsTypesAndOrder) {
  PropertySet a(true), b(true);
  a.defineString("first", 1, {"x"});
  a.defineInt("second", 2, {1, 2});
  b.defineDouble("own", 1, {3.0});
  b.copyFrom(a);
  EXPECT_EQ(b.names(), (std::vector<std::string>{"own", "first", "second"}));
  int v;
  EXPECT_EQ(suite().propSetInt(b.handle(), "second", 2, 9), kOfxStatErrBadIndex);
  EXPECT_EQ(suite().propGetInt(b.handle(), "second", 1, &v), kOfxStatOK);
  EXPECT_EQ(v, 2);
}

}  // namespace
