// The vector assets of a scan as the JSON objects that `assets --json` and `scan --json
// --assets` print: what each asset is and what it holds.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fonts/FontLibrary.h"
#include "movie/ScanResult.h"
#include "vector/TextAssets.h"

namespace orvane {

/// Decodes each asset when it is described; `result` and `movie` must outlive it.
class AssetJson {
 public:
  AssetJson(const ScanResult& result, std::span<const std::uint8_t> movie);

  /// The timeline's shapes, morph shapes, fonts and texts, in that order, one object each.
  void append(const TimelineNode& node, bool details, std::vector<std::string>& objects) const;

 private:
  std::string shape(const ShapeObject& object, bool details) const;
  std::string morphShape(const MorphShapeObject& object, bool details) const;
  std::string font(const FontObject& object, bool details) const;
  std::string text(const TextObject& object, bool details) const;

  std::span<const std::uint8_t> m_movie;
  std::uint8_t m_version;
  FontLibrary m_fonts;
  TextAssets m_texts;
};

/// One JSON document: the movie's path and stage, and per timeline its frames and assets.
std::string assetsJson(const ScanResult& result, bool details, const AssetJson& assets);

}  // namespace orvane
