// The renderer command, run as a process: a successful render writes readable pictures, and
// every bad argument, missing or unreadable file, unknown clip or parameter and failing frame
// gives one clear error line, a non-zero exit status, and no output file.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/ImageFile.h"
#include "tests/render/support/RenderHarness.h"
#include "tests/render/support/TestPictures.h"

namespace render_test {
namespace {

struct CommandResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

CommandResult runTool(const std::string& arguments) {
  const std::string command = std::string("'") + RENDER_TOOL + "' " + arguments + " 2>&1";
  CommandResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  return names;
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/eb_render_cmd_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    inputs_ = folder_ + "/in";
    outputs_ = folder_ + "/out";
    ASSERT_EQ(mkdir(inputs_.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(outputs_.c_str(), 0755), 0);
    const OfxRectI bounds{0, 0, 24, 16};
    ofxhost::writeImageFile(inputs_ + "/src.exr", rampPicture(bounds));
    ofxhost::writeImageFile(inputs_ + "/matte.png", discMatte(bounds, 12, 8, 5));
    std::ofstream(inputs_ + "/broken.png") << "this is not a PNG";
    bundle_ = "'" + bundlePath("edge_bleed") + "'";
    sources_ = " --input Source=" + inputs_ + "/src.exr --input Matte=" + inputs_ + "/matte.png";
  }
  void TearDown() override {
    for (const std::string& dir : {inputs_, outputs_}) {
      for (const std::string& name : filesIn(dir)) std::remove((dir + "/" + name).c_str());
      rmdir(dir.c_str());
    }
    rmdir(folder_.c_str());
  }

  std::string folder_, inputs_, outputs_, bundle_, sources_;
};

TEST_F(RenderCommand, RendersOneFrameToExrAndPng) {
  for (const char* name : {"one.exr", "one.png"}) {
    const std::string out = outputs_ + "/" + name;
    const CommandResult r = runTool(bundle_ + sources_ + " --set mode=Mirror --set max_distance=0.5 --frame 3 --output " + out);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(contains(r.output, "frame 3 -> " + out + " (24x16")) << r.output;
    const std::unique_ptr<ofxhost::Image> picture = ofxhost::readImageFile(out);
    EXPECT_EQ(picture->width(), 24);
    EXPECT_EQ(picture->height(), 16);
  }
  EXPECT_EQ(filesIn(outputs_).size(), 2u);  // no temporary files left behind
}

TEST_F(RenderCommand, RendersARangeWithProgress) {
  const CommandResult r =
      runTool(bundle_ + sources_ + " --set mode=1 --frames 2-4 --output " + outputs_ + "/seq.%04d.png");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(contains(r.output, "[1/3] frame 2 -> " + outputs_ + "/seq.0002.png")) << r.output;
  EXPECT_TRUE(contains(r.output, "[3/3] frame 4 -> " + outputs_ + "/seq.0004.png")) << r.output;
  EXPECT_EQ(filesIn(outputs_).size(), 3u);
}

// The written picture is what the effect rendered: the same frame read back from EXR and
// rendered straight through the host agree exactly.
TEST_F(RenderCommand, WritesTheRenderedPixels) {
  const std::string out = outputs_ + "/check.exr";
  ASSERT_EQ(runTool(bundle_ + sources_ + " --set preserve_inside=off --output " + out).exitCode, 0);
  const std::unique_ptr<ofxhost::Image> written = ofxhost::readImageFile(out);

  Session session("edge_bleed");
  session.setInput("Source", *ofxhost::readImageFile(inputs_ + "/src.exr"));
  session.setInput("Matte", *ofxhost::readImageFile(inputs_ + "/matte.png"));
  ASSERT_EQ(session.instance().setBool("preserve_inside", false), kOfxStatOK);
  ASSERT_EQ(session.render(OfxRectI{0, 0, 24, 16}), kOfxStatOK);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      for (int c = 0; c < 4; ++c) ASSERT_EQ(written->pixel(x, y)[c], session.output()->pixel(x, y)[c]);
    }
  }
}

struct ErrorCase {
  const char* name;
  std::string arguments;  // after the bundle; "$IN" and "$OUT" stand for the folders
  int exitCode;
  std::string message;
};

class RenderCommandErrors : public RenderCommand, public ::testing::WithParamInterface<ErrorCase> {};

std::string substitute(std::string text, const std::string& in, const std::string& out) {
  for (size_t at = text.find("$IN"); at != std::string::npos; at = text.find("$IN")) text.replace(at, 3, in);
  for (size_t at = text.find("$OUT"); at != std::string::npos; at = text.find("$OUT")) text.replace(at, 4, out);
  return text;
}

TEST_P(RenderCommandErrors, ExitNonZeroWithAClearMessageAndWriteNothing) {
  const ErrorCase& c = GetParam();
  const std::string message = substitute(c.message, inputs_, outputs_);
  const CommandResult r = runTool(bundle_ + " " + substitute(c.arguments, inputs_, outputs_));
  EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
  EXPECT_TRUE(contains(r.output, "error: " + message + "\n")) << "expected: " << message << "\ngot:\n" << r.output;
  EXPECT_TRUE(filesIn(outputs_).empty());
}

const std::string kIn = " --input Source=$IN/src.exr --input Matte=$IN/matte.png";

const ErrorCase kErrorCases[] = {
    {"NoOutput", kIn, 2, "no --output given"},
    {"FrameNotANumber", kIn + " --frame x --output $OUT/a.png", 2, "--frame expects a whole number, got 'x'"},
    {"BackwardsRange", kIn + " --frames 5-2 --output $OUT/a.%d.png", 2, "--frames range '5-2' ends before it starts"},
    {"RangeWithoutPattern", kIn + " --frames 1-2 --output $OUT/a.png", 2,
     "--output needs a frame pattern such as out.%04d.exr to render a range"},
    {"TwoFrameOptions", kIn + " --frame 1 --frames 1-2 --output $OUT/a.%d.png", 2, "give one --frame or --frames"},
    {"InputWithoutEquals", " --input Source --output $OUT/a.png", 2, "--input expects NAME=VALUE, got 'Source'"},
    {"MissingOptionValue", kIn + " --output", 2, "--output needs a value"},
    {"UnknownOption", kIn + " --fast --output $OUT/a.png", 2, "unknown arguments: --fast --output $OUT/a.png"},
    {"UnknownOutputFormat", kIn + " --output $OUT/a.tif", 1, "--output $OUT/a.tif: unknown image format (use .exr or .png)"},
    {"MissingOutputFolder", kIn + " --output $OUT/none/a.png", 1, "--output $OUT/none/a.png: folder $OUT/none does not exist"},
    {"MissingInputFile", " --input Source=$IN/nothing.exr --input Matte=$IN/matte.png --output $OUT/a.png", 1,
     "cannot read image $IN/nothing.exr: No such file or directory"},
    {"UnreadablePng", " --input Source=$IN/src.exr --input Matte=$IN/broken.png --output $OUT/a.png", 1,
     "cannot read image $IN/broken.png: Not a PNG file"},
    {"UnknownClip", kIn + " --input Mask=$IN/matte.png --output $OUT/a.png", 1,
     "unknown input clip 'Mask' (the effect's input clips: Source, Matte)"},
    {"RequiredClipMissing", " --input Source=$IN/src.exr --output $OUT/a.png", 1,
     "the effect needs an image for clip 'Matte' (--input Matte=FILE)"},
    {"UnknownParameter", kIn + " --set strength=2 --output $OUT/a.png", 1,
     "unknown parameter 'strength' (--list shows the parameters)"},
    {"BadChoice", kIn + " --set mode=Sideways --output $OUT/a.png", 1,
     "parameter mode: 'Sideways' is not one of its choices: 0 \"Stretch\", 1 \"Mirror\""},
    {"BadNumber", kIn + " --set threshold=high --output $OUT/a.png", 1, "parameter threshold: 'high' is not a number"},
    {"BadBoolean", kIn + " --set preserve_inside=maybe --output $OUT/a.png", 1,
     "parameter preserve_inside: 'maybe' is not a boolean (true/false, on/off, yes/no, 1/0)"},
    {"MissingFrameInSequence", " --input Source=$IN/src.%04d.exr --input Matte=$IN/matte.png --output $OUT/a.png", 1,
     "cannot read image $IN/src.0001.exr: No such file or directory"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RenderCommandErrors, ::testing::ValuesIn(kErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(RenderCommandBundle, AMissingBundleIsAClearError) {
  const CommandResult r = runTool("/nonexistent/x.ofx.bundle --input Source=a.exr --output /tmp/a.png");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(contains(r.output, "error: No such bundle or plug-in binary: /nonexistent/x.ofx.bundle\n")) << r.output;
}

// A value outside the parameter's range is clamped by the host, with a warning.
TEST_F(RenderCommand, WarnsWhenAValueIsClamped) {
  const CommandResult r = runTool(bundle_ + sources_ + " --set max_distance=50 --output " + outputs_ + "/a.png");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(contains(r.output, "warning: parameter max_distance set to 1 instead of 50 (outside its range)\n"))
      << r.output;
}

// An empty input file stops the command before anything is rendered or written.
TEST_F(RenderCommand, AnEmptyInputFileWritesNothing) {
  std::ofstream(inputs_ + "/empty.exr");
  const CommandResult r = runTool(bundle_ + " --input Source=" + inputs_ + "/src.exr --input Matte=" + inputs_ +
                                  "/empty.exr --output " + outputs_ + "/a.exr");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(contains(r.output, "error: cannot read image " + inputs_ + "/empty.exr: ")) << r.output;
  EXPECT_TRUE(filesIn(outputs_).empty());
}

}  // namespace
}  // namespace render_test
