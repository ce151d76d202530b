// Exceptions become host statuses: directly, through the render action, and
// through description and instance creation.
#include "tests/openfx/SupportTestPlugin.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

using supporttest::hooks;
using supporttest::send;

struct ThrowCase {
  const char* name;
  std::function<void()> thrower;
  OfxStatus expected;
};

std::vector<ThrowCase> throwCases() {
  return {
      {"suite status value", [] { OFX::throwSuiteStatusException(kOfxStatErrValue); }, kOfxStatErrValue},
      {"suite status unsupported", [] { OFX::throwSuiteStatusException(kOfxStatErrUnsupported); },
       kOfxStatErrUnsupported},
      {"suite status with message", [] { OFX::throwSuiteStatusException(kOfxStatErrFormat, "bad"); },
       kOfxStatErrFormat},
      {"bad_alloc", [] { throw std::bad_alloc(); }, kOfxStatErrMemory},
      {"runtime_error", [] { throw std::runtime_error("Failed to allocate pipeline CUDA buffer"); }, kOfxStatFailed},
      {"logic_error", [] { throw std::out_of_range("no such parameter"); }, kOfxStatFailed},
      {"missing parameter", [] { throw OFX::Exception::NotFound("parameter Blend not found"); }, kOfxStatFailed},
      {"wrong kind", [] { throw OFX::Exception::TypeRequest("not a double"); }, kOfxStatFailed},
      {"property unknown", [] { throw OFX::Exception::PropertyUnknownToHost("x"); }, kOfxStatFailed},
      {"missing suite", [] { OFX::throwHostMissingSuiteException("OfxDrawSuite"); }, kOfxStatErrMissingHostFeature},
      {"non-standard exception", [] { throw 42; }, kOfxStatFailed},
  };
}

TEST(SupportExceptionMapping, EachExceptionMapsToItsStatus) {
  for (const auto& c : throwCases()) {
    const OfxStatus status = OFX::callAndMapExceptions([&]() -> OfxStatus {
      c.thrower();
      return kOfxStatOK;
    });
    EXPECT_EQ(status, c.expected) << c.name;
  }
}

TEST(SupportExceptionMapping, SuiteExceptionNamesItsStatus) {
  try {
    OFX::throwSuiteStatusException(kOfxStatErrUnsupported, "pixel format");
    FAIL() << "nothing thrown";
  } catch (const OFX::Exception::Suite& e) {
    EXPECT_EQ(e.status(), kOfxStatErrUnsupported);
    EXPECT_STREQ(e.what(), "OpenFX suite error kOfxStatErrUnsupported: pixel format");
  }
  EXPECT_EQ(OFX::statusName(kOfxStatErrValue), "kOfxStatErrValue");
  EXPECT_EQ(OFX::statusName(77), "unknown status 77");
}

class SupportActionStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    hooks().reset();
    ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
    effect = &host.newEffect(kOfxImageEffectContextGeneral);
    ASSERT_EQ(send(kOfxActionCreateInstance, fakehost::FakeHost::handle(*effect)), kOfxStatOK);
  }
  void TearDown() override { send(kOfxActionDestroyInstance, fakehost::FakeHost::handle(*effect)); }

  fakehost::FakeHost host;
  fakehost::Effect* effect = nullptr;
};

TEST_F(SupportActionStatus, RenderExceptionsReachTheHostAsStatuses) {
  for (const auto& c : throwCases()) {
    hooks().render = [&](const OFX::RenderArguments&) { c.thrower(); };
    EXPECT_EQ(send(kOfxImageEffectActionRender, fakehost::FakeHost::handle(*effect), &host.newArgs()), c.expected)
        << c.name;
  }
  hooks().render = nullptr;
  EXPECT_EQ(send(kOfxImageEffectActionRender, fakehost::FakeHost::handle(*effect), &host.newArgs()), kOfxStatOK);
}

TEST_F(SupportActionStatus, FetchingAMissingParameterDuringRenderFailsTheFrame) {
  hooks().render = [&](const OFX::RenderArguments&) {
    auto* instance = static_cast<OFX::ImageEffect*>(effect->props.getPointer(kOfxPropInstanceData));
    instance->fetchDoubleParam("Blend");
  };
  EXPECT_EQ(send(kOfxImageEffectActionRender, fakehost::FakeHost::handle(*effect), &host.newArgs()),
            kOfxStatFailed);
}

TEST_F(SupportActionStatus, FailingDescriptionAndCreationReachTheHostAsFailures) {
  fakehost::Effect& descriptor = host.newEffect();
  hooks().describeInContext = [](OFX::ImageEffectDescriptor&, OFX::ContextEnum) {
    throw std::runtime_error("Failed to create parameters from XML");
  };
  fakehost::PropertySetStruct& in = host.newArgs();
  in.set(kOfxImageEffectPropContext, {std::string(kOfxImageEffectContextFilter)});
  EXPECT_EQ(send(kOfxImageEffectActionDescribeInContext, fakehost::FakeHost::handle(descriptor), &in),
            kOfxStatFailed);

  hooks().createInstance = [] { throw std::runtime_error("Failed to parse embedded XML"); };
  fakehost::Effect& other = host.newEffect();
  EXPECT_EQ(send(kOfxActionCreateInstance, fakehost::FakeHost::handle(other)), kOfxStatFailed);
  EXPECT_EQ(other.props.getPointer(kOfxPropInstanceData), nullptr);
}

}  // namespace
