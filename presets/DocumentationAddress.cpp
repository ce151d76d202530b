#include "presets/DocumentationAddress.h"

#include <climits>
#include <cstdlib>

#include "presets/PresetManager.h"

namespace {

const char* const kPageInBundle = "/Contents/Resources/docs/index.html";
const char* const kStandardPluginFolder = "/usr/OFX/Plugins/";

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string DocumentationAddress::pagePathInBundle(const std::string& bundlePath) {
    return bundlePath + kPageInBundle;
}

std::string DocumentationAddress::pagePath(const std::string& bundleName,
                                           const std::string& loadedBundlePath) {
    const std::string standard =
        pagePathInBundle(kStandardPluginFolder + bundleName + ".ofx.bundle");
    if (loadedBundlePath.empty()) return standard;
    const std::string loaded = pagePathInBundle(loadedBundlePath);
    if (PresetManager::fileExists(loaded)) return loaded;
    if (PresetManager::fileExists(standard)) return standard;
    return loaded;
}

std::string DocumentationAddress::fileUrl(const std::string& absolutePath) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : absolutePath) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || c == '/') {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    return url;
}

std::string DocumentationAddress::address(const std::string& bundleName,
                                          const std::string& loadedBundlePath) {
    return fileUrl(pagePath(bundleName, loadedBundlePath));
}

std::string DocumentationAddress::loadedBundlePath() {
    const std::string module = PresetManager::currentModulePath();
    if (module.empty()) return std::string();
    // A host may load the module by a relative path or through a link; a file:// address
    // and the factory folder need the real absolute location.
    char resolved[PATH_MAX];
    if (realpath(module.c_str(), resolved) == nullptr) return std::string();
    return PresetManager::bundlePathFromModulePath(resolved);
}
