// The text and JSON forms of a scan that `orvane-cli scan` prints.
#pragma once

#include <string>

#include "movie/ScanResult.h"

namespace orvane {

/// The properties rows, an empty line, the object tree (two blanks per level), an empty
/// line and the instance rows, each line ending in a line feed.
std::string scanText(const ScanResult& result, bool details, bool showEmpty);

/// One JSON document with the header values, every timeline and every object.
std::string scanJson(const ScanResult& result, bool details);

}  // namespace orvane
