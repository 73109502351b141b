// The vector assets' part of "Extract All Objects": per timeline the fonts as their font
// files and the texts as SVG, each with its report line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "fonts/FontLibrary.h"
#include "objects/ExtractionRun.h"
#include "vector/TextAssets.h"

namespace orvane {

class ScanResult;
class TimelineNode;

class AssetExtraction {
 public:
  /// `movie` (the scanned bytes) must outlive the extraction.
  AssetExtraction(const ScanResult& result, std::span<const std::uint8_t> movie, const AssetKinds& kinds);

  /// The number of files `extract` writes for the timeline.
  std::size_t count(const TimelineNode& timeline) const;
  /// Writes the timeline's chosen assets into `folder` (ending in '/'), appending a section
  /// per kind and a line per file to `report`; `advance` is told after each file.
  void extract(const TimelineNode& timeline, const std::string& folder, std::string& report,
               const std::function<void()>& advance) const;

 private:
  void extractFonts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                    const std::function<void()>& advance) const;
  void extractTexts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                    const std::function<void()>& advance) const;

  std::span<const std::uint8_t> m_movie;
  std::uint8_t m_version;
  AssetKinds m_kinds;
  FontLibrary m_fonts;
  TextAssets m_texts;
};

}  // namespace orvane
