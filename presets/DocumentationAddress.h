#pragma once

#include <string>

// Where the documentation that ships with a bundle lives, and the address the tutorials
// button opens. The page is installed inside the bundle (Contents/Resources/docs/index.html),
// so it opens offline and always documents the plug-in that is actually loaded.
class DocumentationAddress {
public:
    // <bundle>/Contents/Resources/docs/index.html
    static std::string pagePathInBundle(const std::string& bundlePath);

    // The page to open: the loaded bundle's own page when it exists; otherwise the page of
    // the bundle at the standard location (/usr/OFX/Plugins/<bundle name>.ofx.bundle) when
    // that exists; otherwise the loaded bundle's page path (or the standard one when the
    // loaded bundle is unknown). Never empty.
    static std::string pagePath(const std::string& bundleName, const std::string& loadedBundlePath);

    // A file:// URL for an absolute path. Every byte other than unreserved characters and
    // "/" is percent-encoded, so blanks, quotes and "#" or "?" survive as part of the path.
    static std::string fileUrl(const std::string& absolutePath);

    // fileUrl(pagePath(...)): the address the tutorials button opens.
    static std::string address(const std::string& bundleName, const std::string& loadedBundlePath);

    // The ".ofx.bundle" folder of the module this code is linked into, with symbolic links
    // and relative parts resolved; empty when it cannot be found.
    static std::string loadedBundlePath();
};
