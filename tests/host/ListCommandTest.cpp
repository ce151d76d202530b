// The plug-in listing, through the library call and through edge_bleed_render --list.
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "host/ParamDescription.h"
#include "ProbeFixture.h"

namespace {

struct CommandResult {
  int exitCode = -1;
  std::string output;
};

CommandResult run(const std::string &arguments) {
  CommandResult result;
  const std::string command = std::string(RENDER_TOOL) + " " + arguments + " 2>&1";
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

TEST(ListCommand, PrintsPluginsContextsClipsAndParameters) {
  auto bundle = ofxhost::Bundle::open(probe::bundlePath());
  std::ostringstream out;
  EXPECT_FALSE(ofxhost::printPluginList(out, *bundle));  // the failing plug-ins make the listing fail
  const std::string text = out.str();
  const char *expected[] = {
      "Plug-ins: 3\n",
      "Plug-in 0: com.test.hostprobe\n  version: 2.3\n  api: OfxImageEffectPluginAPI 1\n  label: Host Probe\n"
      "  grouping: Tests\n  contexts: OfxImageEffectContextFilter OfxImageEffectContextGeneral\n",
      "  context OfxImageEffectContextFilter:\n    clips:\n      Source optional=0 mask=0\n"
      "      Matte optional=1 mask=1\n      Output optional=0 mask=0\n    parameters:\n"
      "      #0 Main kind=page label=\"Main\" default=- parent=-\n"
      "      #1 grp kind=group label=\"Group\" default=- parent=-\n"
      "      #2 gain kind=double label=\"Gain\" default=1 parent=grp\n",
      "      #5 enabled kind=bool label=\"Enabled\" default=1 parent=-\n"
      "      #6 mode kind=choice label=\"Mode\" default=1 parent=-\n"
      "      #7 label kind=string label=\"Label\" default=\"hello\" parent=-\n"
      "      #8 tint kind=rgb label=\"Tint\" default=0.1, 0.2, 0.3 parent=-\n",
      "      #11 pos3 kind=double3d label=\"Position\" default=1, 2, 3 parent=-\n"
      "      #12 size kind=int2d label=\"Size\" default=4, 5 parent=-\n"
      "      #13 fill kind=pushbutton label=\"Fill options\" default=- parent=-\n",
      "kind=parametric label=\"Curve\" default=- parent=-\n  context OfxImageEffectContextGeneral:\n",
      "Plug-in 1: com.test.failing\n",
      "    describe in context failed: kOfxStatFailed\n",
      "Plug-in 2: com.test.unloadable\n  version: 1.0\n  api: OfxImageEffectPluginAPI 1\n  describe failed: status 42\n",
  };
  for (const char *part : expected) EXPECT_TRUE(contains(text, part)) << "missing:\n" << part << "\nin:\n" << text;
}

TEST(ListCommand, CommandLine) {
  const CommandResult listed = run(std::string("--list ") + probe::bundlePath());
  EXPECT_EQ(listed.exitCode, 1);  // two of the probe's plug-ins fail on purpose
  EXPECT_TRUE(contains(listed.output, "Plug-in 0: com.test.hostprobe\n"));
  EXPECT_TRUE(contains(listed.output, "#2 gain kind=double label=\"Gain\" default=1 parent=grp\n"));

  struct Case {
    const char *arguments;
    int exitCode;
    const char *output;
  };
  const Case cases[] = {
      {"", 2, "usage: edge_bleed_render --list <bundle>"},
      {"--help", 0, "usage: edge_bleed_render --list <bundle>"},
      {"--list", 2, "error: --list needs a bundle path\n"},
      {"--bogus x", 2, "error: unknown arguments: --bogus x\n"},
      {"--list /nonexistent/thing.ofx.bundle", 1, "error: No such bundle or plug-in binary: /nonexistent/thing.ofx.bundle\n"},
  };
  for (const Case &c : cases) {
    const CommandResult r = run(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments;
    EXPECT_TRUE(contains(r.output, c.output)) << c.arguments << " gave:\n" << r.output;
  }
}

}  // namespace
