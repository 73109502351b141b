// The scanned movie's bitmaps as the SVG writers embed them: PNG for lossless bitmaps and
// JPEGs with alpha, the JPEG object file for plain JPEGs.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "movie/ScanResult.h"
#include "objects/PreservedForms.h"
#include "vector/ShapeSvg.h"

namespace orvane {

/// Reads each bitmap once, at its first use. The scan's temporary object files must still
/// be there; preserved forms are written into `scratchFolder` and read back (without one,
/// the bitmaps that need them are missing).
class MovieBitmaps : public BitmapSource {
 public:
  MovieBitmaps(const ScanResult& result, const PreservationSource& source, std::string scratchFolder)
      : m_result(result), m_forms(source), m_scratchFolder(std::move(scratchFolder)) {}

  const EmbeddedBitmap* bitmap(std::uint16_t id) override;

 private:
  std::optional<EmbeddedBitmap> load(const ImageObject& image) const;

  const ScanResult& m_result;
  PreservedForms m_forms;
  std::string m_scratchFolder;
  std::map<std::uint16_t, std::optional<EmbeddedBitmap>> m_bitmaps;
};

/// The pixel size of a PNG or JPEG file's bytes; false when the header cannot be read.
bool pictureSize(const std::vector<std::uint8_t>& bytes, std::uint32_t& width, std::uint32_t& height);

}  // namespace orvane
