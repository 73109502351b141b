// The vector assets' part of "Extract All Objects": per timeline the shapes, morph shapes
// and texts as SVG, the fonts as their font files and the frames as PNG, each with its
// report line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "objects/ExtractionRun.h"
#include "objects/MovieArtwork.h"

namespace orvane {

class ScanResult;
class TimelineNode;

class AssetExtraction {
 public:
  using Advance = std::function<void()>;

  /// The movie of `source` (the scanned bytes) must outlive the extraction; the bitmaps that
  /// shapes and frames fill with are decoded in `scratchFolder` (empty: they are left out).
  AssetExtraction(const ScanResult& result, const PreservationSource& source, const AssetKinds& kinds,
                  std::string scratchFolder);

  /// The number of files `extract` writes for the timeline.
  std::size_t count(const TimelineNode& timeline) const;
  /// Writes the timeline's chosen assets into `folder` (ending in '/'), appending a section
  /// per kind and a line per file to `report`; `advance` is told after each file.
  void extract(const TimelineNode& timeline, const std::string& folder, std::string& report, const Advance& advance);

 private:
  void extractShapes(const TimelineNode& timeline, const std::string& folder, std::string& report,
                     const Advance& advance);
  void extractMorphShapes(const TimelineNode& timeline, const std::string& folder, std::string& report,
                          const Advance& advance);
  void extractFonts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                    const Advance& advance) const;
  void extractTexts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                    const Advance& advance) const;
  void extractFrames(const TimelineNode& timeline, const std::string& folder, std::string& report,
                     const Advance& advance);

  std::span<const std::uint8_t> m_movie;
  std::uint8_t m_version;
  AssetKinds m_kinds;
  MovieArtwork m_artwork;
};

}  // namespace orvane
