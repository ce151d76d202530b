#pragma once
// The arguments of the command-line renderer:
//
//   edge_bleed_render <bundle> --input CLIP=FILE... [--set PARAM=VALUE...]
//                     (--frame N | --frames A-B) --output FILE [--cuda] [--quiet]
//   edge_bleed_render <bundle> --list        (or: edge_bleed_render --list <bundle>)
//
// Parsing checks only the form of the arguments; files, clips and parameters are checked
// against the bundle when the command runs (RenderCommand.h).

#include <string>
#include <utility>
#include <vector>

namespace ofxhost {

struct RenderRequest {
  std::string bundle;
  bool list = false;
  bool help = false;
  // CLIP=FILE, in the order given; FILE may hold a frame pattern (%d, %04d).
  std::vector<std::pair<std::string, std::string>> inputs;
  // PARAM=VALUE, in the order given (later settings of one name win).
  std::vector<std::pair<std::string, std::string>> settings;
  int firstFrame = 1;
  int lastFrame = 1;
  bool frameGiven = false;
  std::string output;  // may hold a frame pattern
  bool cuda = false;
  bool quiet = false;
};

// Throws HostError with the message to print after "error: " for a malformed command line.
RenderRequest parseRenderCommandLine(const std::vector<std::string> &arguments);

// True when `path` holds one printf-style frame field (%d or %0Nd); "%%" is a literal "%".
bool hasFramePattern(const std::string &path);
// The path for `frame`: the field replaced by the number (zero-padded to N digits for %0Nd).
std::string pathForFrame(const std::string &path, int frame);

}  // namespace ofxhost
