#include "host/ParamDescription.h"

#include <cmath>
#include <sstream>

#include "host/HostError.h"

namespace ofxhost {

namespace {

std::string number(double v) {
  std::ostringstream out;
  if (std::floor(v) == v && std::fabs(v) < 1e15) out << static_cast<long long>(v);
  else out << v;
  return out.str();
}

std::string stringOr(const PropertySet &props, const char *name, const std::string &fallback = "") {
  if (!props.has(name) || props.type(name) != PropType::String || props.dimension(name) < 1) return fallback;
  return props.getString(name);
}

int intOr(const PropertySet &props, const char *name, int fallback) {
  if (!props.has(name) || props.type(name) != PropType::Int || props.dimension(name) < 1) return fallback;
  return props.getInt(name);
}

std::string quoted(const std::string &text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

}  // namespace

std::string defaultText(const Param &param) {
  const PropertySet &props = param.props();
  if (!props.has(kOfxParamPropDefault)) return "-";
  switch (props.type(kOfxParamPropDefault)) {
    case PropType::String: return quoted(props.getString(kOfxParamPropDefault));
    case PropType::Int: {
      std::string text;
      for (int v : props.getInts(kOfxParamPropDefault)) text += (text.empty() ? "" : ", ") + std::to_string(v);
      return text;
    }
    case PropType::Double: {
      std::string text;
      for (double v : props.getDoubles(kOfxParamPropDefault)) text += (text.empty() ? "" : ", ") + number(v);
      return text;
    }
    case PropType::Pointer: break;
  }
  return "-";
}

std::vector<ParamInfo> describeParams(const ImageEffectObject &effect) {
  std::vector<ParamInfo> infos;
  int order = 0;
  for (const auto &p : effect.params().params()) {
    ParamInfo info;
    info.order = order++;
    info.name = p->name();
    info.kind = paramKindName(p->kind());
    info.label = stringOr(p->props(), kOfxPropLabel, p->name());
    info.defaultText = defaultText(*p);
    info.parent = stringOr(p->props(), kOfxParamPropParent);
    info.hint = stringOr(p->props(), kOfxParamPropHint);
    infos.push_back(info);
  }
  return infos;
}

std::vector<ClipInfo> describeClips(const ImageEffectObject &effect) {
  std::vector<ClipInfo> infos;
  for (const auto &c : effect.clips()) {
    ClipInfo info;
    info.name = c->name();
    info.optional = intOr(c->props(), kOfxImageClipPropOptional, 0) != 0;
    info.mask = intOr(c->props(), kOfxImageClipPropIsMask, 0) != 0;
    info.components = c->props().getStrings(kOfxImageEffectPropSupportedComponents);
    infos.push_back(info);
  }
  return infos;
}

bool printPluginList(std::ostream &out, Bundle &bundle) {
  bool ok = true;
  out << "Bundle: " << bundle.path() << "\n";
  out << "Plug-ins: " << bundle.pluginCount() << "\n";
  for (int i = 0; i < bundle.pluginCount(); ++i) {
    PluginHandle &plugin = bundle.plugin(i);
    out << "Plug-in " << i << ": " << plugin.identifier() << "\n";
    out << "  version: " << plugin.versionMajor() << "." << plugin.versionMinor() << "\n";
    out << "  api: " << plugin.api() << " " << plugin.apiVersion() << "\n";
    if (!plugin.isImageEffect()) {
      out << "  (not an image effect plug-in: skipped)\n";
      continue;
    }
    const OfxStatus described = plugin.describe();
    if (described != kOfxStatOK) {
      out << "  describe failed: " << statusName(described) << "\n";
      ok = false;
      continue;
    }
    const PropertySet &props = plugin.descriptor()->props();
    out << "  label: " << stringOr(props, kOfxPropLabel) << "\n";
    out << "  grouping: " << stringOr(props, kOfxImageEffectPluginPropGrouping) << "\n";
    const std::vector<std::string> contexts = props.getStrings(kOfxImageEffectPropSupportedContexts);
    out << "  contexts:";
    for (const std::string &c : contexts) out << " " << c;
    out << "\n";
    for (const std::string &context : contexts) {
      out << "  context " << context << ":\n";
      const OfxStatus status = plugin.describeInContext(context);
      if (status != kOfxStatOK) {
        out << "    describe in context failed: " << statusName(status) << "\n";
        ok = false;
        continue;
      }
      const ImageEffectObject &effect = *plugin.contextDescriptor(context);
      out << "    clips:\n";
      for (const ClipInfo &clip : describeClips(effect)) {
        out << "      " << clip.name << " optional=" << clip.optional << " mask=" << clip.mask << "\n";
      }
      out << "    parameters:\n";
      for (const ParamInfo &p : describeParams(effect)) {
        out << "      #" << p.order << " " << p.name << " kind=" << p.kind << " label=" << quoted(p.label)
            << " default=" << p.defaultText << " parent=" << (p.parent.empty() ? "-" : p.parent) << "\n";
      }
    }
  }
  return ok;
}

}  // namespace ofxhost
