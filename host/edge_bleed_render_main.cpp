// edge_bleed_render: the command-line host. For now it lists a bundle's plug-ins
// with their clips and parameters (--list).
#include <cstring>
#include <iostream>
#include <string>

#include "host/Bundle.h"
#include "host/HostError.h"
#include "host/ParamDescription.h"

namespace {

void printUsage(std::ostream &out) {
  out << "usage: edge_bleed_render --list <bundle>\n"
         "  --list <bundle>   print the plug-ins of an OpenFX bundle (.ofx.bundle folder or .ofx binary),\n"
         "                    with their contexts, clips and parameters\n";
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
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    printUsage(std::cout);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "--list") == 0) return listBundle(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    std::cerr << "error: --list needs a bundle path\n";
  } else if (argc > 1) {
    std::cerr << "error: unknown arguments:";
    for (int i = 1; i < argc; ++i) std::cerr << " " << argv[i];
    std::cerr << "\n";
  }
  printUsage(std::cerr);
  return 2;
}
