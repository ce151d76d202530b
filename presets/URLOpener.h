#pragma once

#include <string>

// Opens a web address in the desktop's browser with the desktop command `xdg-open`.
// The address is handed to the command as one argument, without a shell in between, so
// no character of it (quotes, semicolons, blanks, "$(...)") can run anything else.
class URLOpener {
public:
    // False at once for an empty address; otherwise runs `xdg-open <address>`, waits for
    // it and returns true exactly when it exited with status 0. False when the command
    // cannot be started or ends through a signal.
    static bool openURL(const std::string& url);
};
