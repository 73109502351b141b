// PNG pictures of SVG documents, drawn by librsvg onto a cairo image surface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct RasterResult {
  /// The PNG file's bytes; empty when the document could not be drawn.
  std::vector<std::uint8_t> png;
  /// Why it could not be drawn (the SVG parser's message); empty on success.
  std::string error;
};

/// FourSamples draws this many times as wide and high.
inline constexpr int kFourSampleScale = 4;

/// How the edges of shapes cover pixels.
enum class EdgeCoverage : std::uint8_t {
  /// As the document asks: anti-aliased, or not where it says crispEdges.
  AsDocumentSays,
  /// As the player draws at high quality: each pixel takes the mean of four samples (the
  /// usual four-sample pattern), each of them covered or not.
  FourSamples,
  /// As the player draws at low quality: a pixel is covered when its centre is, exactly
  /// for coordinates in whole twips.
  PixelCentres,
};

/// Draws the document at `scale` times its own width and height (at least 1 x 1, at most
/// 16384 x 16384 pixels) onto a transparent surface and encodes it as PNG.
RasterResult rasterizeSvg(std::string_view svg, double scale = 1,
                          EdgeCoverage coverage = EdgeCoverage::AsDocumentSays);

/// Only parses the document; the parser's message when it refuses it, else empty.
std::string checkSvg(std::string_view svg);

}  // namespace orvane
