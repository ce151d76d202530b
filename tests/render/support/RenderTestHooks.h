#pragma once
// A window into the GPU runtime of a test bundle. Test bundles carry BundleTestHooks.cpp,
// which on load looks up ebRenderTestRegisterHooks in the test executable (exported with
// ENABLE_EXPORTS) and hands it this table; on unload it withdraws it. The bundle exports
// nothing beyond the two OpenFX entry points, exactly like the shipped bundle.

extern "C" {

struct RenderTestHooks {
  const char* bundle;  // the bundle target's name
  // Objects the bundle's host backend has created since it was loaded, and those alive now:
  // linear buffers, arrays, textures, surfaces.
  void (*createdObjects)(int counts[4]);
  void (*liveObjects)(int counts[4]);
  // The n-th call at a HostRuntime::FaultSite fails with a gpu::Error value.
  void (*injectFault)(int site, int n, int error);
  void (*clearFaults)();
  // Writes out the bundle's buffered log lines.
  void (*flushLog)();
};

typedef void (*RenderTestRegisterFunction)(const RenderTestHooks* hooks, int add);
}
