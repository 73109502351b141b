// The text and JSON forms of a scan that `orvane-cli scan` prints.
#pragma once

#include <string>

#include "cli/JsonText.h"
#include "movie/ScanResult.h"

namespace orvane {

/// The properties rows, an empty line, the object tree (two blanks per level), an empty
/// line and the instance rows, each line ending in a line feed.
std::string scanText(const ScanResult& result, bool details, bool showEmpty);

class AssetJson;

/// One JSON document with the header values, every timeline and every object; with
/// `assets`, each timeline's vector assets after its other objects.
std::string scanJson(const ScanResult& result, bool details, const AssetJson* assets = nullptr);

/// The Assets tab as text: its tree, one item a line, two blanks per level.
std::string assetsText(const ScanResult& result, bool details, bool showEmpty);

/// The members every object of `scan --json` has: kind, serial, character id, frame, label,
/// type name and display name.
JsonObject objectJson(const char* kind, const MovieObject& object, bool details);

}  // namespace orvane
