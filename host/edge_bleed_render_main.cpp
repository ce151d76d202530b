// edge_bleed_render: the command-line host. Renders frames of any OpenFX bundle's first image
// effect from EXR/PNG inputs into EXR/PNG files, or lists a bundle's plug-ins with their
// clips and parameters (--list).
#include <iostream>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/HostError.h"
#include "host/ParamDescription.h"
#include "host/RenderCommand.h"
#include "host/RenderCommandLine.h"

namespace {

void printUsage(std::ostream &out) {
  out << "usage: edge_bleed_render --list <bundle>\n"
         "       edge_bleed_render <bundle> --input CLIP=FILE... [--set PARAM=VALUE...]\n"
         "                         (--frame N | --frames FIRST-LAST) --output FILE [--cuda] [--quiet]\n"
         "  --list <bundle>     print the plug-ins of an OpenFX bundle (.ofx.bundle folder or .ofx binary),\n"
         "                      with their contexts, clips and parameters\n"
         "  --input CLIP=FILE   picture for an input clip (.exr or .png); FILE may hold a frame\n"
         "                      pattern such as src.%04d.exr\n"
         "  --set PARAM=VALUE   parameter by name: a number, true/false, a choice label or index,\n"
         "                      or comma-separated numbers for colours and vectors\n"
         "  --frame N           render frame N (default 1); --frames FIRST-LAST renders a range\n"
         "  --output FILE       .exr (32-bit float) or .png (8-bit); a range needs a frame pattern\n"
         "                      (out.%04d.png); files are replaced only once complete\n"
         "  --cuda              render with CUDA enabled (pictures in GPU memory)\n"
         "  --quiet             no progress lines\n";
}

int listBundle(const std::string &path) {
  try {
    std::unique_ptr<ofxhost::Bundle> bundle = ofxhost::Bundle::open(path);
    return ofxhost::printPluginList(std::cout, *bundle) ? 0 : 1;
  } catch (const ofxhost::HostError &e) {
    std::cerr << "error: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char **argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    printUsage(std::cerr);
    return 2;
  }
  ofxhost::RenderRequest request;
  try {
    request = ofxhost::parseRenderCommandLine(arguments);
  } catch (const ofxhost::HostError &e) {
    std::cerr << "error: " << e.what() << "\n";
    printUsage(std::cerr);
    return 2;
  }
  if (request.help) {
    printUsage(std::cout);
    return 0;
  }
  if (request.list) return listBundle(request.bundle);
  return ofxhost::runRenderCommand(request, std::cout, std::cerr);
}
