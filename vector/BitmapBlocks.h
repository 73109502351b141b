// Bitmaps embedded with each pixel as a square block of pixels, for a rasteriser that
// samples several points of every pixel.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "vector/ShapeSvg.h"

namespace orvane {

/// The bitmaps of `bitmaps`, each pixel repeated as a `side` x `side` block (the document
/// still gives the bitmap its own size). Drawn `side` times as large, as the four-sample
/// pass draws, the rasteriser's smoothing then leaves every sample inside one pixel of the
/// bitmap, so that a bitmap shown at its size keeps its pixels, as the player shows it.
/// A bitmap that cannot be decoded, or that would exceed kMaxBlockPixels, stays as it is.
class BitmapBlocks : public BitmapSource {
 public:
  static constexpr std::uint64_t kMaxBlockPixels = 16u << 20;
  /// No block is larger than this a side.
  static constexpr int kMaxSide = 256;

  BitmapBlocks(BitmapSource& bitmaps, int side) : m_bitmaps(bitmaps), m_side(side) {}

  const EmbeddedBitmap* bitmap(std::uint16_t id) override;
  /// Enlarged, the smoothing would still blend neighbouring blocks over most of a device
  /// pixel: the blocks grow with the enlargement (`side` times its next whole number), so
  /// that every sample still lands inside one, within kMaxBlockPixels.
  const EmbeddedBitmap* unsmoothedBitmap(std::uint16_t id, double enlargement) override;

 private:
  const EmbeddedBitmap* inBlocksOf(std::uint16_t id, int side);
  static std::optional<EmbeddedBitmap> inBlocks(const EmbeddedBitmap& bitmap, int side);

  BitmapSource& m_bitmaps;
  int m_side;
  /// By id and side.
  std::map<std::pair<std::uint16_t, int>, std::optional<EmbeddedBitmap>> m_blocks;
};

}  // namespace orvane
