// The order of a frame's runs with fixture definitions: effect executions over every pipeline,
// pipeline executions from "param:" counts, the feedback copy between effect executions, only
// the very last run writing the host image, and a pipeline without kernels for the platform.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/render/support/RenderHarness.h"
#include "tests/render/support/TestPictures.h"

namespace render_test {
namespace {

const OfxRectI kBounds{0, 0, 12, 10};

// The run lines ("e<effect>/<count> p<pipeline> n<execution>/<count> -> target") and feedback
// copies of the log, in order.
std::vector<std::string> runsInLog(const std::string& log) {
  std::vector<std::string> runs;
  std::istringstream lines(log);
  std::string line;
  const std::string runPrefix = "[DEBUG] Running pipeline ";
  while (std::getline(lines, line)) {
    if (line.compare(0, runPrefix.size(), runPrefix) == 0) {
      int p = 0, pc = 0, e = 0, ec = 0, n = 0, nc = 0, w = 0, h = 0;
      char target[64] = {0};
      if (std::sscanf(line.c_str() + runPrefix.size(),
                      "%d/%d (effect execution %d/%d, pipeline execution %d/%d) at %dx%d -> %63[^\n]", &p, &pc, &e,
                      &ec, &n, &nc, &w, &h, target) == 9) {
        runs.push_back("e" + std::to_string(e) + "/" + std::to_string(ec) + " p" + std::to_string(p) + " n" +
                       std::to_string(n) + "/" + std::to_string(nc) + " -> " + target);
      }
    } else if (line.find("[DEBUG] Feedback copy: ") == 0) {
      runs.push_back(line.substr(std::string("[DEBUG] Feedback copy: ").size()));
    }
  }
  return runs;
}

std::vector<std::string> renderAndReadRuns(const std::string& fixture, double passes, double repeat) {
  {
    Session session(fixture);
    session.setInput("Source", rampPicture(kBounds));
    EXPECT_EQ(session.instance().setValues("passes", {passes}), kOfxStatOK);
    EXPECT_EQ(session.instance().setValues("repeat", {repeat}), kOfxStatOK);
    EXPECT_EQ(session.render(kBounds), kOfxStatOK);
  }
  // Debug lines reach the file when the session ends.
  return runsInLog(readFile(logPathForEffect(fixtureEffectName(fixture))));
}

TEST(ExecutionModel, TwoEffectExecutionsOverTwoPipelinesWithFeedback) {
  const std::vector<std::string> expected = {
      "e0/2 p0 n0/1 -> pipelineOutput_0", "e0/2 p1 n0/1 -> pipelineOutput_1", "pipelineOutput_1 -> effectOutput",
      "e1/2 p0 n0/1 -> pipelineOutput_0", "e1/2 p1 n0/1 -> host output"};
  EXPECT_EQ(renderAndReadRuns("execution", 2, 1), expected);
}

struct CountCase {
  const char* name;
  double passes;
  double repeat;
  std::vector<std::string> runs;
};

class ExecutionCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(ExecutionCounts, ComeFromTheirParameters) {
  const CountCase& c = GetParam();
  EXPECT_EQ(renderAndReadRuns("execution", c.passes, c.repeat), c.runs);
}

const CountCase kCountCases[] = {
    // A count of 0 or less runs once.
    {"ZeroPassesRunOnce", 0, 1, {"e0/1 p0 n0/1 -> pipelineOutput_0", "e0/1 p1 n0/1 -> host output"}},
    {"NegativeRepeatRunsOnce", 1, -4, {"e0/1 p0 n0/1 -> pipelineOutput_0", "e0/1 p1 n0/1 -> host output"}},
    // A float count is truncated: 2.9 runs twice, 0.4 once.
    {"FloatRepeatIsTruncated",
     1,
     2.9,
     {"e0/1 p0 n0/1 -> pipelineOutput_0", "e0/1 p1 n0/2 -> pipelineOutput_1", "e0/1 p1 n1/2 -> host output"}},
    {"SmallFloatRepeatRunsOnce", 1, 0.4, {"e0/1 p0 n0/1 -> pipelineOutput_0", "e0/1 p1 n0/1 -> host output"}},
    {"RepeatedPipelineInRepeatedEffect",
     2,
     3,
     {"e0/2 p0 n0/1 -> pipelineOutput_0", "e0/2 p1 n0/3 -> pipelineOutput_1", "e0/2 p1 n1/3 -> pipelineOutput_1",
      "e0/2 p1 n2/3 -> pipelineOutput_1", "pipelineOutput_1 -> effectOutput", "e1/2 p0 n0/1 -> pipelineOutput_0",
      "e1/2 p1 n0/3 -> pipelineOutput_1", "e1/2 p1 n1/3 -> pipelineOutput_1", "e1/2 p1 n2/3 -> host output"}},
};

INSTANTIATE_TEST_SUITE_P(Fixture, ExecutionCounts, ::testing::ValuesIn(kCountCases),
                         [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST(ExecutionModel, APipelineWithoutKernelsForThePlatformIsSkipped) {
  {
    Session session("skip");
    session.setInput("Source", rampPicture(kBounds));
    ASSERT_EQ(session.render(kBounds), kOfxStatOK);
  }
  const std::string log = readFile(logPathForEffect(fixtureEffectName("skip")));
  EXPECT_NE(log.find("[ERROR] Phase 3a.4: Pipeline 0 'metal_only' has no kernels for cuda - skipping\n"),
            std::string::npos)
      << log;
  EXPECT_EQ(runsInLog(log), std::vector<std::string>{"e0/1 p1 n0/1 -> host output"});
}

// Without processes every run writes the host image, so the feedback between effect
// executions carries the host image, not a pipeline buffer nothing wrote.
TEST(ExecutionModel, TheFlatFormFeedsTheHostImageBack) {
  {
    Session session("flat");
    session.setInput("Source", rampPicture(kBounds));
    ASSERT_EQ(session.render(kBounds), kOfxStatOK);
  }
  const std::vector<std::string> expected = {"e0/2 p0 n0/1 -> host output", "output image -> effectOutput",
                                             "e1/2 p0 n0/1 -> host output"};
  EXPECT_EQ(runsInLog(readFile(logPathForEffect(fixtureEffectName("flat")))), expected);
}

}  // namespace
}  // namespace render_test
