// ImageProcessor::process runs exactly one entry, chosen by the GPU render
// mode, between preProcess and postProcess; the CPU entry runs on the host's
// threads with the render window split into bands of rows.
#include "tests/openfx/SupportTestPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>

namespace {

using fakehost::FakeHost;

// Records every entry it runs, and the CPU bands.
class RecordingProcessor : public OFX::ImageProcessor {
 public:
  using OFX::ImageProcessor::ImageProcessor;

  void preProcess() override { record("pre"); }
  void processImagesCUDA() override { record("cuda"); }
  void processImagesOpenCL() override { record("opencl"); }
  void processImagesMetal() override { record("metal"); }
  void multiThreadProcessImages(OfxRectI window) override {
    if (throwOnCpu) throw std::runtime_error("band failed");
    std::lock_guard<std::mutex> lock(mutex);
    bands.push_back(window);
    cpuThreads.push_back(OFX::MultiThread::getThreadIndex());
  }
  void postProcess() override { record("post"); }

  void* stream() const { return _pCudaStream; }
  void* openclQueue() const { return _pOpenCLCmdQ; }

  std::vector<std::string> calls;
  std::vector<OfxRectI> bands;
  std::vector<unsigned int> cpuThreads;
  bool throwOnCpu = false;

 private:
  void record(const char* what) {
    std::lock_guard<std::mutex> lock(mutex);
    calls.push_back(what);
  }
  std::mutex mutex;
};

class SupportImageProcessor : public ::testing::Test {
 protected:
  void SetUp() override {
    supporttest::hooks().reset();
    ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
    effect = &host.newEffect();
    ASSERT_EQ(supporttest::send(kOfxActionCreateInstance, FakeHost::handle(*effect)), kOfxStatOK);
    instance = static_cast<OFX::ImageEffect*>(effect->props.getPointer(kOfxPropInstanceData));
  }
  void TearDown() override { supporttest::send(kOfxActionDestroyInstance, FakeHost::handle(*effect)); }

  // Rows covered by the bands, each counted once; fails on overlap.
  static std::vector<int> coveredRows(const std::vector<OfxRectI>& bands, const OfxRectI& window) {
    std::vector<int> counts(static_cast<std::size_t>(window.y2 - window.y1), 0);
    for (const auto& band : bands) {
      EXPECT_EQ(band.x1, window.x1);
      EXPECT_EQ(band.x2, window.x2);
      for (int y = band.y1; y < band.y2; ++y) ++counts[static_cast<std::size_t>(y - window.y1)];
    }
    return counts;
  }

  FakeHost host;
  fakehost::Effect* effect = nullptr;
  OFX::ImageEffect* instance = nullptr;
};

TEST_F(SupportImageProcessor, ProcessRunsTheEntryOfTheEnabledMode) {
  struct Case {
    bool cuda, opencl, metal;
    const char* entry;
  };
  const Case cases[] = {
      {true, false, false, "cuda"},  {false, true, false, "opencl"}, {false, false, true, "metal"},
      {false, false, false, "cpu"},  {true, true, true, "cuda"},     {false, true, true, "opencl"},
      {true, false, true, "cuda"},
  };
  for (const auto& c : cases) {
    RecordingProcessor processor(*instance);
    OFX::RenderArguments args;
    args.isEnabledCudaRender = c.cuda;
    args.isEnabledOpenCLRender = c.opencl;
    args.isEnabledMetalRender = c.metal;
    processor.setGPURenderArgs(args);
    processor.setRenderWindow(OfxRectI{0, 0, 8, 8});
    processor.process();
    const bool cpu = std::string(c.entry) == "cpu";
    const std::vector<std::string> expected =
        cpu ? std::vector<std::string>{"pre", "post"} : std::vector<std::string>{"pre", c.entry, "post"};
    EXPECT_EQ(processor.calls, expected) << c.entry;
    EXPECT_EQ(processor.bands.empty(), !cpu) << c.entry;
  }
}

TEST_F(SupportImageProcessor, GpuArgumentsCarryTheStreamAndQueues) {
  int stream = 0, queue = 0;
  RecordingProcessor processor(*instance);
  OFX::RenderArguments args;
  args.isEnabledCudaRender = true;
  args.pCudaStream = &stream;
  args.pOpenCLCmdQ = &queue;
  processor.setGPURenderArgs(args);
  EXPECT_EQ(processor.stream(), &stream);
  EXPECT_EQ(processor.openclQueue(), &queue);
}

TEST_F(SupportImageProcessor, CpuPathSplitsTheWindowIntoBandsOnHostThreads) {
  struct Case {
    OfxRectI window;
    unsigned int cpus;
    unsigned int expectedThreads;
  };
  const Case cases[] = {
      {{0, 0, 16, 10}, 4, 4},     // uneven bands: 3, 3, 3, 1
      {{5, -3, 9, -1}, 4, 2},     // two rows: no more threads than rows
      {{0, 100, 3, 101}, 8, 0},   // one row: runs on the calling thread
      {{0, 0, 4, 7}, 1, 0},       // one CPU: runs on the calling thread
  };
  for (const auto& c : cases) {
    host.numCPUs = c.cpus;
    const int callsBefore = host.multiThreadCalls.load();
    RecordingProcessor processor(*instance);
    processor.setRenderWindow(c.window);
    processor.process();
    const auto counts = coveredRows(processor.bands, c.window);
    EXPECT_TRUE(std::all_of(counts.begin(), counts.end(), [](int n) { return n == 1; }))
        << "every row exactly once, window y " << c.window.y1;
    if (c.expectedThreads == 0) {
      EXPECT_EQ(host.multiThreadCalls.load(), callsBefore);
      EXPECT_EQ(processor.bands.size(), 1u);
    } else {
      EXPECT_EQ(host.multiThreadCalls.load(), callsBefore + 1);
      EXPECT_EQ(host.lastThreadCount.load(), c.expectedThreads);
    }
  }
}

TEST_F(SupportImageProcessor, EmptyWindowRunsNoCpuWork) {
  RecordingProcessor processor(*instance);
  processor.setRenderWindow(OfxRectI{0, 5, 10, 5});
  processor.process();
  EXPECT_TRUE(processor.bands.empty());
  EXPECT_EQ(processor.calls, (std::vector<std::string>{"pre", "post"}));
}

TEST_F(SupportImageProcessor, WithoutTheThreadSuiteTheCallingThreadDoesAllRows) {
  FakeHost single;
  single.offerThreadSuite = false;
  ASSERT_EQ(supporttest::loadInto(single), kOfxStatOK);
  EXPECT_EQ(OFX::MultiThread::getNumCPUs(), 1u);
  RecordingProcessor processor(*instance);
  processor.setRenderWindow(OfxRectI{0, 0, 4, 9});
  processor.process();
  ASSERT_EQ(processor.bands.size(), 1u);
  EXPECT_EQ(processor.bands[0].y1, 0);
  EXPECT_EQ(processor.bands[0].y2, 9);
  ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
}

TEST_F(SupportImageProcessor, AWorkerExceptionReachesTheCaller) {
  RecordingProcessor processor(*instance);
  processor.throwOnCpu = true;
  processor.setRenderWindow(OfxRectI{0, 0, 4, 8});
  EXPECT_THROW(processor.process(), std::runtime_error);
  EXPECT_EQ(processor.calls, std::vector<std::string>{"pre"}) << "postProcess is skipped after a failure";
}

TEST_F(SupportImageProcessor, MutexesLockAndUnlock) {
  OFX::MultiThread::Mutex mutex;
  {
    OFX::MultiThread::AutoMutex lock(mutex);
    EXPECT_TRUE(mutex.tryLock()) << "recursive for its owner";
    mutex.unlock();
  }
  EXPECT_TRUE(mutex.tryLock());
  mutex.unlock();
}

}  // namespace
