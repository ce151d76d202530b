#include "host/RenderCommand.h"

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "host/Bundle.h"
#include "host/DeviceMemory.h"
#include "host/EffectInstance.h"
#include "host/HostError.h"
#include "host/ImageFile.h"
#include "host/ParamDescription.h"
#include "host/ParamSetting.h"

namespace ofxhost {
namespace {

struct Session {
  std::unique_ptr<Bundle> bundle;
  PluginHandle *plugin = nullptr;
  std::string context;
  std::unique_ptr<EffectInstance> instance;
};

PluginHandle &firstImageEffect(Bundle &bundle) {
  for (int i = 0; i < bundle.pluginCount(); ++i) {
    if (bundle.plugin(i).isImageEffect()) return bundle.plugin(i);
  }
  throw HostError("bundle " + bundle.path() + " holds no image effect plug-in");
}

std::string chooseContext(PluginHandle &plugin) {
  const OfxStatus described = plugin.describe();
  if (described != kOfxStatOK) throw HostError("the plug-in's describe action failed: " + statusName(described));
  const std::vector<std::string> contexts =
      plugin.descriptor()->props().getStrings(kOfxImageEffectPropSupportedContexts);
  for (const char *preferred : {kOfxImageEffectContextGeneral, kOfxImageEffectContextFilter}) {
    for (const std::string &c : contexts) {
      if (c == preferred) return c;
    }
  }
  throw HostError("the plug-in supports neither the general nor the filter context");
}

std::string directoryOf(const std::string &path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void checkOutputPath(const std::string &pattern) {
  if (imageFileFormat(pattern) == ImageFileFormat::Unknown) {
    throw HostError("--output " + pattern + ": unknown image format (use .exr or .png)");
  }
  const std::string folder = directoryOf(pattern);
  struct stat info;
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    throw HostError("--output " + pattern + ": folder " + folder + " does not exist");
  }
}

// Validates the inputs against the instance's clips: every name must be a clip, no clip twice,
// every required clip given.
void checkInputs(const RenderRequest &request, PluginHandle &plugin, const std::string &context) {
  const std::vector<ClipInfo> clips = describeClips(*plugin.contextDescriptor(context));
  std::string names;
  for (const ClipInfo &clip : clips) {
    if (clip.name == kOfxImageEffectOutputClipName) continue;
    names += (names.empty() ? "" : ", ") + clip.name;
  }
  std::set<std::string> given;
  for (const auto &input : request.inputs) {
    bool known = false;
    for (const ClipInfo &clip : clips) known = known || (clip.name == input.first && clip.name != kOfxImageEffectOutputClipName);
    if (!known) throw HostError("unknown input clip '" + input.first + "' (the effect's input clips: " + names + ")");
    if (!given.insert(input.first).second) throw HostError("input clip '" + input.first + "' given twice");
  }
  for (const ClipInfo &clip : clips) {
    if (clip.name == kOfxImageEffectOutputClipName || clip.optional) continue;
    if (given.count(clip.name) == 0) {
      throw HostError("the effect needs an image for clip '" + clip.name + "' (--input " + clip.name + "=FILE)");
    }
  }
}

Session openSession(const RenderRequest &request) {
  Session session;
  HostOptions options;
  options.cudaRender = request.cuda;
  session.bundle = Bundle::open(request.bundle, options);
  session.plugin = &firstImageEffect(*session.bundle);
  session.context = chooseContext(*session.plugin);
  const OfxStatus described = session.plugin->describeInContext(session.context);
  if (described != kOfxStatOK) {
    throw HostError("the plug-in's describe-in-context action failed: " + statusName(described));
  }
  checkInputs(request, *session.plugin, session.context);
  OfxStatus status = kOfxStatOK;
  session.instance = session.plugin->createInstance(session.context, &status);
  if (!session.instance) throw HostError("the plug-in could not create an instance: " + statusName(status));
  return session;
}

// Loads the pictures of one frame; pictures of paths without a frame pattern are read once.
void connectInputs(const RenderRequest &request, EffectInstance &instance, int frame,
                   std::map<std::string, std::shared_ptr<Image>> &stills) {
  for (const auto &input : request.inputs) {
    const std::string path = pathForFrame(input.second, frame);
    std::shared_ptr<Image> image;
    if (!hasFramePattern(input.second)) {
      auto found = stills.find(input.first);
      if (found == stills.end()) found = stills.emplace(input.first, std::shared_ptr<Image>(readImageFile(path))).first;
      image = found->second;
    } else {
      image = std::shared_ptr<Image>(readImageFile(path));
    }
    instance.setClipImage(input.first, image);
  }
}

// The output picture of a frame: rendered, or a copy of the clip the effect passes through.
void renderFrame(EffectInstance &instance, int frame, bool cuda) {
  RenderOptions options;
  options.time = static_cast<double>(frame);
  options.cudaEnabled = cuda;
  options.sequentialRender = true;

  const IdentityResult identity = instance.isIdentity(options);
  if (identity.status == kOfxStatOK && identity.identity) {
    std::shared_ptr<Image> source = instance.clipImage(identity.clip);
    std::shared_ptr<Image> output = instance.clipImage(kOfxImageEffectOutputClipName);
    if (source && output && source->bounds().x1 == output->bounds().x1 && source->bounds().y1 == output->bounds().y1 &&
        source->width() == output->width() && source->height() == output->height()) {
      for (int y = output->bounds().y1; y < output->bounds().y2; ++y) {
        std::memcpy(output->pixel(output->bounds().x1, y), source->pixel(source->bounds().x1, y),
                    static_cast<size_t>(output->width()) * 16u);
      }
      return;
    }
  } else if (identity.status != kOfxStatOK && identity.status != kOfxStatReplyDefault) {
    throw HostError("frame " + std::to_string(frame) + ": the identity action failed: " + statusName(identity.status));
  }

  const OfxStatus status = instance.render(options);
  if (status != kOfxStatOK) {
    throw HostError("frame " + std::to_string(frame) + " failed to render: " + statusName(status) +
                    " (the plug-in's log under /tmp says why)");
  }
}

}  // namespace

int runRenderCommand(const RenderRequest &request, std::ostream &out, std::ostream &err) {
  try {
    checkOutputPath(request.output);
    if (request.cuda && !DeviceBuffer::available()) {
      throw HostError("--cuda: this build or machine has no usable CUDA device");
    }
    Session session = openSession(request);
    EffectInstance &instance = *session.instance;
    for (const auto &setting : request.settings) {
      const std::string warning = setParameterFromText(instance, setting.first, setting.second);
      if (!warning.empty()) err << "warning: " << warning << "\n";
    }

    std::map<std::string, std::shared_ptr<Image>> stills;
    const int total = request.lastFrame - request.firstFrame + 1;
    for (int frame = request.firstFrame; frame <= request.lastFrame; ++frame) {
      const auto start = std::chrono::steady_clock::now();
      connectInputs(request, instance, frame, stills);
      renderFrame(instance, frame, request.cuda);
      std::shared_ptr<Image> result = instance.clipImage(kOfxImageEffectOutputClipName);
      if (!result) throw HostError("frame " + std::to_string(frame) + ": the host has no output picture");
      const std::string path = pathForFrame(request.output, frame);
      writeImageFile(path, *result);
      const auto ms =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
      if (!request.quiet) {
        const int done = frame - request.firstFrame + 1;
        if (total > 1) out << "[" << done << "/" << total << "] ";
        out << "frame " << frame << " -> " << path << " (" << result->width() << "x" << result->height() << ", "
            << ms << " ms" << (request.cuda ? ", CUDA" : ", CPU") << ")\n";
        out.flush();
      }
    }
    return 0;
  } catch (const HostError &e) {
    err << "error: " << e.what() << "\n";
    return 1;
  } catch (const std::exception &e) {
    err << "error: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace ofxhost
