// Compiled into every test bundle: offers the bundle's host backend to the test executable.
#include <dlfcn.h>

#include "gpu/runtime/HostRuntime.h"
#include "plugin/Logger.h"
#include "tests/render/support/RenderTestHooks.h"

#ifndef RENDER_TEST_BUNDLE
#error RENDER_TEST_BUNDLE must name the bundle
#endif

namespace {

void countsOf(const gpu::HostRuntime::ObjectCounts& c, int counts[4]) {
  counts[0] = c.linear;
  counts[1] = c.arrays;
  counts[2] = c.textures;
  counts[3] = c.surfaces;
}

void createdObjects(int counts[4]) { countsOf(gpu::hostRuntime().createdObjects(), counts); }
void liveObjects(int counts[4]) { countsOf(gpu::hostRuntime().liveObjects(), counts); }
void injectFault(int site, int n, int error) {
  gpu::hostRuntime().injectFault(static_cast<gpu::HostRuntime::FaultSite>(site), n, static_cast<gpu::Error>(error));
}
void clearFaults() { gpu::hostRuntime().clearFaults(); }
void flushLog() { Logger::getInstance().flush(); }

const RenderTestHooks kHooks = {RENDER_TEST_BUNDLE, &createdObjects, &liveObjects, &injectFault, &clearFaults,
                                &flushLog};

struct Registration {
  RenderTestRegisterFunction registerHooks;
  Registration()
      : registerHooks(reinterpret_cast<RenderTestRegisterFunction>(dlsym(RTLD_DEFAULT, "ebRenderTestRegisterHooks"))) {
    if (registerHooks != nullptr) registerHooks(&kHooks, 1);
  }
  ~Registration() {
    if (registerHooks != nullptr) registerHooks(&kHooks, 0);
  }
} registration;

}  // namespace
