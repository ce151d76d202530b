// The kernel registry's lookups and the dispatch's log lines on the host backend.

#include <gtest/gtest.h>

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "gpu/KernelRegistry.h"
#include "gpu/runtime/HostRuntime.h"
#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"
#include "tests/support/LogCapture.h"

namespace {

using namespace kernel_rig;
using testsupport::LogCapture;

struct LookupCase {
    const char* file;
    KernelPassFunction host;
    KernelPassFunction cuda;
};

#if defined(EDGE_BLEED_KERNELS_HAVE_CUDA)
#define CUDA_LAUNCHER(name) &name
#else
#define CUDA_LAUNCHER(name) nullptr
#endif

TEST(KernelRegistry, LookupCutsSuffixesAndComparesExactly) {
    const LookupCase cases[] = {
        {"jfa_core.cu", &call_jfa_core_kernel_HostPass, CUDA_LAUNCHER(call_jfa_core_kernel_Pass)},
        {"jfa_core.cuda", &call_jfa_core_kernel_HostPass, CUDA_LAUNCHER(call_jfa_core_kernel_Pass)},
        {"jfa_core.metal", &call_jfa_core_kernel_HostPass, CUDA_LAUNCHER(call_jfa_core_kernel_Pass)},
        {"jfa_blur.cu", &call_jfa_blur_kernel_HostPass, CUDA_LAUNCHER(call_jfa_blur_kernel_Pass)},
        {"edge_bleed.cu", &call_edge_bleed_kernel_HostPass, CUDA_LAUNCHER(call_edge_bleed_kernel_Pass)},
        {"edge_bleed", &call_edge_bleed_kernel_HostPass, CUDA_LAUNCHER(call_edge_bleed_kernel_Pass)},
        {"Edge_Bleed.cu", nullptr, nullptr},
        {"EDGE_BLEED", nullptr, nullptr},
        {"edge_bleed.c", nullptr, nullptr},
        {"jfa", nullptr, nullptr},
        {"", nullptr, nullptr},
        {"other.cu", nullptr, nullptr},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(c.host, getHostKernelPassFunction(c.file)) << c.file;
        EXPECT_EQ(c.cuda, getKernelPassFunction(c.file)) << c.file;
    }
}

TEST(KernelRegistry, NamesAndCounts) {
    EXPECT_EQ(3, getRegisteredEffectCount());
    EXPECT_EQ("jfa_core", getEffectName(0));
    EXPECT_EQ("jfa_blur", getEffectName(1));
    EXPECT_EQ("edge_bleed", getEffectName(2));
    EXPECT_EQ("", getEffectName(3));
    EXPECT_EQ("", getEffectName(-1));
    EXPECT_EQ(nullptr, getKernelFunction("Edge Bleed"));
    EXPECT_EQ(nullptr, getKernelFunction("jfa_core"));
    EXPECT_EQ("jfa_core", kernelRegistryName("jfa_core.cu.metal"));
    EXPECT_EQ("a", kernelRegistryName("a.metal.cu"));
}

class Dispatch : public ::testing::Test {
protected:
    LogCapture log;
    KernelRig rig{gpu::Backend::Host, 17, 9};
    DeviceImage target{rig.runtime(), 17, 9};
    SystemParameters system = makeSystemParameters(17, 9, 0, 0, 13);
    SourceConnections sources = frameSources(rig.sourceTexture(), rig.matteTexture());
    AnimatedParameters animated = makeAnimatedParameters(EffectSettings());
    PipelineParameters pipeline{"Edge Bleed", "1.0"};
    BundledResources resources{};

    void SetUp() override {
        system.currentPass = 4;
        system.totalPasses = 13;
        system.currentExecution = 4;
        system.totalExecutions = 13;
        log.mark();
    }
    void run(const char* file, gpu::Backend backend = gpu::Backend::Host) {
        RunGenericKernelPass(backend, nullptr, system, pipeline, sources, animated, resources, rig.definition(), file,
                             nullptr, gpu::pointerFromHandle(target.surface()));
    }
};

TEST_F(Dispatch, ASuccessfulPassLogsEveryStep) {
    run("jfa_core.cu");
    const std::string text = log.text();
    EXPECT_NE(std::string::npos, text.find("[DEBUG] Calling CUDA kernel: jfa_core.cu (pass 4/13, 6 sources)"));
    EXPECT_NE(std::string::npos, text.find("[ERROR] [TIMING] Kernel lookup: "));
    EXPECT_NE(std::string::npos,
              text.find("[INFO] Executing kernel pass: kernel=jfa_core.cu, execution=4/13, pass=4/13"));
    EXPECT_NE(std::string::npos, text.find("[ERROR] [TIMING] Kernel launch+exec: "));
    EXPECT_NE(std::string::npos, text.find("[INFO] ✅ Kernel pass 4 completed successfully"));
    EXPECT_EQ(std::string::npos, text.find("❌"));
}

TEST_F(Dispatch, LaunchersLogTheWorkingImageAndEverySource) {
    run("jfa_core.cu");
    const std::string text = log.text();
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "[ERROR] jfa_core: currentPipelineExecution=0, currentProcessExecution=0, currentPipeline=0, "
                  "workingImageTex=%llu, numInputs=2, sourceCount=6",
                  sources.sources[0].textureObject);
    EXPECT_NE(std::string::npos, text.find(expected)) << text;
    for (int i = 0; i < 6; ++i) {
        std::snprintf(expected, sizeof expected, "[ERROR]   source[%d] textureObject=%llu", i,
                      sources.sources[i].textureObject);
        EXPECT_NE(std::string::npos, text.find(expected)) << expected;
    }
}

TEST_F(Dispatch, AnUnknownKernelIsSkipped) {
    run("blur.cu");
    const std::string text = log.text();
    EXPECT_NE(std::string::npos,
              text.find("[ERROR] No multi-pass kernel function found for kernel: blur.cu (effect: Edge Bleed)"));
    EXPECT_EQ(std::string::npos, text.find("Executing kernel pass"));
    EXPECT_EQ(std::string::npos, text.find("[TIMING] Kernel lookup"));
    // Nothing was written.
    EXPECT_EQ(0.0f, target.download().at(3, 3).x);
}

TEST_F(Dispatch, ARefusedLaunchIsReportedWithItsPass) {
    system.width = 0;  // an empty grid
    run("edge_bleed.cu");
    EXPECT_TRUE(log.contains("[ERROR] ❌ CUDA kernel LAUNCH error (pass 4): invalid configuration argument"))
        << log.text();
    EXPECT_TRUE(log.contains("✅ Kernel pass 4 completed successfully"));  // nothing ran, nothing failed
    EXPECT_EQ(gpu::Error::Success, gpu::hostRuntime().getLastError());     // the dispatch cleared it
}

TEST_F(Dispatch, AnExecutionErrorIsReportedWithItsPass) {
    gpu::hostRuntime().injectFault(gpu::HostRuntime::FaultSite::Synchronize, 1, gpu::Error::LaunchFailure);
    run("jfa_blur.cu");
    gpu::hostRuntime().clearFaults();
    gpu::hostRuntime().clearStickyError();
    EXPECT_TRUE(log.contains("[ERROR] ❌ CUDA kernel EXECUTION error (pass 4): unspecified launch failure"))
        << log.text();
    EXPECT_FALSE(log.contains("completed successfully"));
}

TEST_F(Dispatch, AWriteOutsideTheSurfaceIsAnExecutionError) {
    system.width = 40;  // more columns than the 17-pixel array holds
    run("jfa_core.cu");
    gpu::hostRuntime().clearStickyError();
    EXPECT_TRUE(log.contains("❌ CUDA kernel EXECUTION error (pass 4): an illegal memory access was encountered"))
        << log.text();
}

TEST_F(Dispatch, TheCudaPathWithoutCudaIsSkippedWithItsReason) {
    if (gpu::cudaRuntime() != nullptr) GTEST_SKIP() << "a CUDA device is present";
    run("jfa_core.cu", gpu::Backend::Cuda);
    EXPECT_TRUE(log.contains(std::string("[ERROR] CUDA kernel pass 4 skipped: ") + gpu::cudaUnavailableReason()))
        << log.text();
}

TEST(SingleLaunch, ReportsTheMissingFunctionAndTheRegisteredNames) {
    LogCapture log;
    KernelRig rig(gpu::Backend::Host, 4, 4);
    const PipelineParameters pipeline{"Edge Bleed", "1.0"};
    RunGenericCudaKernel(nullptr, SystemParameters{}, pipeline, SourceConnections{}, AnimatedParameters{},
                         rig.definition(), nullptr);
    const std::string text = log.text();
    EXPECT_NE(std::string::npos, text.find("[DEBUG] RunGenericCudaKernel called for effect: Edge Bleed"));
    EXPECT_NE(std::string::npos, text.find("[DEBUG] Looking up kernel function for: 'Edge Bleed'"));
    EXPECT_NE(std::string::npos, text.find("[ERROR] No kernel function found for effect: Edge Bleed"));
    EXPECT_NE(std::string::npos, text.find("[ERROR] Registered effects count: 3"));
    EXPECT_NE(std::string::npos, text.find("[ERROR]   [0] 'jfa_core'\n"));
    EXPECT_NE(std::string::npos, text.find("[ERROR]   [1] 'jfa_blur'\n"));
    EXPECT_NE(std::string::npos, text.find("[ERROR]   [2] 'edge_bleed'\n"));
}

}  // namespace
