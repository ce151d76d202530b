#pragma once

#include <string>

// The effect identifier constant names the start-up log file. Build systems sometimes hand it
// over with its surrounding double quotes; both spellings must give the same log-file name, so
// a value that begins and ends with '"' loses those two characters (and nothing else).
std::string effectIdentifierWithoutQuotes(const std::string& identifier);
