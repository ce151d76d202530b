// The processor's pass loop on the host backend: pass counts per kernel, ping-pong parity,
// the final copy into a pitched buffer, the aborts of the loop and the registry dispatch.

#include "gpu/KernelPassLoop.h"
#include "gpu/RenderBufferManager.h"
#include "tests/frame/FrameTestSupport.h"

#include <fstream>

using frametest::CreatedSince;
using frametest::FakeEffectAccess;
using frametest::FrameLog;
using frametest::PitchedImage;
using frametest::definitionFrom;
using frametest::effectXml;

namespace {

struct PassRecord {
  std::string file;
  void* input;
  void* output;
  SystemParameters sp;
  int sourceCount;
  float inputValue;  // red of texel (0, 0) of the input texture, -1 without one
};

// Records every pass and fills the pass's output surface with (pass + 1) in every channel,
// so the final copy shows which array was written last.
struct RecordingRunner {
  std::vector<PassRecord>* records;
  void operator()(gpu::Runtime&, void*, const SystemParameters& sp, const PipelineParameters&,
                  const SourceConnections& sc, const AnimatedParameters&, const BundledResources&,
                  const XMLEffectDefinition&, const char* file, void* input, void* output) const {
    PassRecord r{file, input, output, sp, sc.sourceCount, -1.0f};
    if (input != nullptr) r.inputValue = frametest::texelOf(*reinterpret_cast<gpu::host::TextureObject*>(input), 0, 0).x;
    auto* surface = reinterpret_cast<gpu::host::SurfaceObject*>(output);
    const float v = static_cast<float>(sp.currentPass + 1);
    for (int y = 0; y < sp.height; ++y)
      for (int x = 0; x < sp.width; ++x) gpu::host::surfaceWrite(surface, make_float4(v, v, v, v), x * 16, y);
    records->push_back(r);
  }
};

XMLEffectDefinition::KernelDef kernel(const std::string& file, int executions) {
  XMLEffectDefinition::KernelDef k;
  k.platform = "cuda";
  k.file = file;
  k.executions = executions;
  return k;
}

const char kInputs[] = R"(<source name="Source" noinput="error"/><source name="Matte" noinput="black"/>)";

PassLoopDestination destinationOf(PitchedImage& image) {
  PassLoopDestination d;
  d.present = true;
  d.width = image.width();
  d.height = image.height();
  d.pixels = image.pixels();
  d.rowBytes = image.rowBytes();
  return d;
}

}  // namespace

class PassLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    def = definitionFrom(effectXml(kInputs));
    state = std::make_unique<ProcessorState>(*def);
    state->bufferManager = &manager;
  }
  KernelPassLoop loop() { return KernelPassLoop(*state, effect, RecordingRunner{&records}); }

  std::unique_ptr<XMLEffectDefinition> def;
  std::unique_ptr<ProcessorState> state;
  FakeEffectAccess effect;
  RenderBufferManager manager{gpu::hostRuntime()};
  std::vector<PassRecord> records;
};

TEST_F(PassLoopTest, ThirteenThenTwoPassesPingPongAcrossKernels) {
  FrameLog log;
  state->kernels = {kernel("A.cu", 13), kernel("B.cu", 2)};
  PitchedImage out(5, 3, 5 * 16);
  ASSERT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);

  ASSERT_EQ(records.size(), 15u);
  for (int pass = 0; pass < 15; ++pass) {
    SCOPED_TRACE(pass);
    const PassRecord& r = records[static_cast<size_t>(pass)];
    EXPECT_EQ(r.file, pass < 13 ? "A.cu" : "B.cu");
    EXPECT_EQ(r.sp.currentPass, pass);
    EXPECT_EQ(r.sp.totalPasses, 15);
    EXPECT_EQ(r.sp.currentKernel, pass < 13 ? 0 : 1);
    EXPECT_EQ(r.sp.totalKernels, 2);
    EXPECT_EQ(r.sp.currentExecution, pass < 13 ? pass : pass - 13);
    EXPECT_EQ(r.sp.totalExecutions, pass < 13 ? 13 : 2);
    EXPECT_EQ(r.sourceCount, 2);
    // Pass 0 has no input; every later pass reads what the pass before it wrote.
    if (pass == 0) {
      EXPECT_EQ(r.input, nullptr);
    } else {
      EXPECT_EQ(r.inputValue, static_cast<float>(pass));
      EXPECT_NE(r.output, records[static_cast<size_t>(pass - 1)].output);
    }
    EXPECT_EQ(r.output, pass % 2 == 0 ? records[0].output : records[1].output);
  }
  // The final copy takes the array written by pass 14.
  EXPECT_EQ(out.pixel(4, 2)[0], 15.0f);
  EXPECT_TRUE(log.contains("CUDA multi-pass rendering: 2 kernels, 15 total passes"));
  EXPECT_TRUE(log.contains("CUDA Kernel 1/2 (A.cu): 13 executions"));
  EXPECT_TRUE(log.contains("CUDA Kernel 2/2 (B.cu): 2 executions"));
  EXPECT_TRUE(log.contains("Pass 15/15: Kernel 1, Execution 1"));
  EXPECT_TRUE(log.contains("[TIMING] Setup: params="));
  EXPECT_TRUE(log.contains("B.cu (exec 2/2) took: "));
  EXPECT_TRUE(log.contains("⏱️  Final copy took: "));
  EXPECT_TRUE(log.contains("CUDA multi-pass rendering completed successfully"));
  EXPECT_TRUE(log.contains("⚠ Using _dstImg fallback"));
}

TEST_F(PassLoopTest, CustomOutputWithPaddedRowsIsWrittenRowByRowAndPaddingKept) {
  FrameLog log;
  state->kernels = {kernel("A.cu", 2)};
  PitchedImage destination(4, 4, 4 * 16);
  PitchedImage target(4, 4, 4 * 16 + 48);  // 3 pixels of padding per row
  state->outputBuffer = target.pixels();
  state->outputRowBytes = target.rowBytes();
  ASSERT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(destination)), KernelPassLoop::Outcome::Completed);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.pixel(x, y)[3], 2.0f) << x << "," << y;
  EXPECT_TRUE(target.paddingUntouched());
  EXPECT_TRUE(destination.paddingUntouched());  // the destination image was not written
  EXPECT_TRUE(log.contains("✓ Custom output buffer"));
  EXPECT_TRUE(log.contains("[ERROR] ⚠️  ROW STRIDE MISMATCH DETECTED!"));
  EXPECT_TRUE(log.contains("Padding per row: 48 bytes"));
}

TEST_F(PassLoopTest, TheStateKernelsWinOverTheDefinitionAndMetalKernelsAreIgnored) {
  // With no kernels set, the definition's flat list for "cuda" is used.
  const std::string path = "/tmp/eb_frametest_flat_" + std::to_string(::getpid()) + ".xml";
  {
    std::ofstream f(path);
    f << "<effect name=\"Flat\" category=\"T\"><inputs><source name=\"S\"/></inputs>"
         "<kernels><cuda file=\"one.cu\" executions=\"3\"/><metal file=\"one.metal\" executions=\"9\"/></kernels></effect>";
  }
  XMLEffectDefinition flat(path);
  std::remove(path.c_str());
  ProcessorState flatState(flat);
  flatState.bufferManager = &manager;
  PitchedImage out(2, 2, 32);
  KernelPassLoop flatLoop(flatState, effect, RecordingRunner{&records});
  ASSERT_EQ(flatLoop.run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].file, "one.cu");
  EXPECT_EQ(out.pixel(0, 0)[0], 3.0f);
}

TEST_F(PassLoopTest, AKernelWithoutExecutionsRunsNoPass) {
  state->kernels = {kernel("zero.cu", 0), kernel("one.cu", 1)};
  PitchedImage out(2, 2, 32);
  ASSERT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].file, "one.cu");
  EXPECT_EQ(records[0].sp.totalPasses, 1);
  EXPECT_EQ(out.pixel(1, 1)[0], 1.0f);
}

struct AbortCase {
  const char* name;
  std::function<void(ProcessorState&, PassLoopDestination&)> arrange;
  KernelPassLoop::Outcome outcome;
  const char* line;
};

class PassLoopAbortTest : public PassLoopTest, public ::testing::WithParamInterface<AbortCase> {};

TEST_P(PassLoopAbortTest, LeavesTheOutputUntouchedAndSaysWhy) {
  FrameLog log;
  state->kernels = {kernel("A.cu", 2)};
  PitchedImage out(3, 3, 3 * 16 + 16);
  PassLoopDestination destination = destinationOf(out);
  GetParam().arrange(*state, destination);
  EXPECT_EQ(loop().run(gpu::hostRuntime(), nullptr, destination), GetParam().outcome);
  gpu::hostRuntime().clearFaults();
  EXPECT_TRUE(records.empty());
  EXPECT_EQ(out.pixel(0, 0)[0], out.pixel(2, 2)[0]);
  EXPECT_TRUE(out.paddingUntouched());
  float untouched;
  std::memset(&untouched, 0xAB, sizeof untouched);
  EXPECT_EQ(std::memcmp(out.pixel(1, 1), &untouched, 4), 0);
  EXPECT_TRUE(log.contains(GetParam().line)) << log.text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PassLoopAbortTest,
    ::testing::Values(
        AbortCase{"NoKernels", [](ProcessorState& s, PassLoopDestination&) { s.kernels.clear(); },
                  KernelPassLoop::Outcome::NoKernels, "[ERROR] No CUDA kernels defined"},
        AbortCase{"NoBufferManager", [](ProcessorState& s, PassLoopDestination&) { s.bufferManager = nullptr; },
                  KernelPassLoop::Outcome::NoBufferManager, "[ERROR] No buffer manager provided to GenericProcessor!"},
        AbortCase{"BuffersFail",
                  [](ProcessorState&, PassLoopDestination&) {
                    gpu::hostRuntime().injectFault(gpu::HostRuntime::FaultSite::Allocation, 2,
                                                   gpu::Error::MemoryAllocation);
                  },
                  KernelPassLoop::Outcome::BuffersFailed, "[ERROR] Failed to initialize CUDA render buffers - aborting"},
        AbortCase{"NoDestination", [](ProcessorState&, PassLoopDestination& d) { d.present = false; },
                  KernelPassLoop::Outcome::NoDestination, "[ERROR] No destination image for GenericProcessor"},
        AbortCase{"PitchTooSmall", [](ProcessorState&, PassLoopDestination& d) { d.rowBytes = 16; },
                  KernelPassLoop::Outcome::NoDestination, "[ERROR] Unusable output target for GenericProcessor"}),
    [](const ::testing::TestParamInfo<AbortCase>& info) { return std::string(info.param.name); });

TEST_F(PassLoopTest, AFailedFinalCopyIsReported) {
  FrameLog log;
  state->kernels = {kernel("A.cu", 1)};
  PitchedImage out(2, 2, 32);
  gpu::hostRuntime().injectFault(gpu::HostRuntime::FaultSite::CopyFromArray, 1, gpu::Error::InvalidValue);
  EXPECT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::FinalCopyFailed);
  gpu::hostRuntime().clearFaults();
  EXPECT_EQ(records.size(), 1u);
  EXPECT_TRUE(log.contains("[ERROR] Failed to copy final cudaArray to output buffer"));
  EXPECT_FALSE(log.contains("completed successfully"));
}

TEST_F(PassLoopTest, ARefusedPointerQueryIsClearedBeforeThePasses) {
  FrameLog log;
  state->kernels = {kernel("A.cu", 1)};
  PitchedImage out(2, 2, 32);
  gpu::hostRuntime().injectFault(gpu::HostRuntime::FaultSite::PointerAttributes, 1, gpu::Error::InvalidValue);
  EXPECT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  gpu::hostRuntime().clearFaults();
  EXPECT_TRUE(log.contains("[ERROR] cudaPointerGetAttributes failed: invalid argument"));
  EXPECT_EQ(gpu::hostRuntime().getLastError(), gpu::Error::Success);
}

TEST_F(PassLoopTest, ASecondRunOfTheSameSizeAllocatesNothing) {
  state->kernels = {kernel("A.cu", 13)};
  PitchedImage out(8, 6, 8 * 16);
  ASSERT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  const CreatedSince since;
  state->kernels = {kernel("B.cu", 2)};  // another pass count, same size
  ASSERT_EQ(loop().run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  EXPECT_EQ(since.total(), 0);
  EXPECT_EQ(out.pixel(0, 0)[0], 2.0f);
}

TEST_F(PassLoopTest, RegistryDispatchLogsAMissingKernelAndTheRunGoesOn) {
  FrameLog log;
  state->kernels = {kernel("no_such_kernel.cu", 1), kernel("also_missing.cu", 1)};
  PitchedImage out(4, 4, 64);
  KernelPassLoop registryLoop(*state, effect, registryKernelPassRunner());
  EXPECT_EQ(registryLoop.run(gpu::hostRuntime(), nullptr, destinationOf(out)), KernelPassLoop::Outcome::Completed);
  EXPECT_TRUE(log.contains(
      "[ERROR] No multi-pass kernel function found for kernel: no_such_kernel.cu (effect: Frame Fixture)"));
  EXPECT_TRUE(log.contains(
      "[ERROR] No multi-pass kernel function found for kernel: also_missing.cu (effect: Frame Fixture)"));
  EXPECT_TRUE(log.contains("CUDA multi-pass rendering completed successfully"));
}
