#pragma once
// Readable descriptions of a described effect's clips and parameters, and the
// plug-in listing printed by `edge_bleed_render --list`.

#include <ostream>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/ImageEffect.h"
#include "host/Param.h"

namespace ofxhost {

struct ParamInfo {
  int order = 0;            // position in declaration order
  std::string name;
  std::string kind;         // paramKindName
  std::string label;
  std::string defaultText;  // "-" for kinds without a value
  std::string parent;       // empty at top level
  std::string hint;
};

struct ClipInfo {
  std::string name;
  bool optional = false;
  bool mask = false;
  std::vector<std::string> components;
};

// The default as text: numbers joined by ", " (integers without decimals), text in double quotes.
std::string defaultText(const Param &param);
std::vector<ParamInfo> describeParams(const ImageEffectObject &effect);
std::vector<ClipInfo> describeClips(const ImageEffectObject &effect);

// Loads, describes and describes in every supported context each plug-in of the bundle,
// printing identity, version, label, grouping, contexts, clips and parameters.
// Returns false when any action failed (the failure is printed in its place).
bool printPluginList(std::ostream &out, Bundle &bundle);

}  // namespace ofxhost
