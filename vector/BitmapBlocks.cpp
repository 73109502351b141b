#include "vector/BitmapBlocks.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace orvane {

namespace {

struct ObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using Loader = std::unique_ptr<GdkPixbufLoader, ObjectDeleter>;
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectDeleter>;

}  // namespace

const EmbeddedBitmap* BitmapBlocks::bitmap(std::uint16_t id) { return inBlocksOf(id, m_side); }

const EmbeddedBitmap* BitmapBlocks::unsmoothedBitmap(std::uint16_t id, double enlargement) {
  if (!(enlargement > 1) || !std::isfinite(enlargement)) return bitmap(id);
  const EmbeddedBitmap* original = m_bitmaps.bitmap(id);
  if (original == nullptr) return nullptr;
  const double wanted = std::min(double(m_side) * std::ceil(enlargement), double(kMaxSide));
  // The largest side whose blocks stay within the limit.
  const double pixels = std::max(1.0, double(original->width) * double(original->height));
  const double fits = std::floor(std::sqrt(double(kMaxBlockPixels) / pixels));
  const int side = static_cast<int>(std::max(double(m_side), std::min(wanted, fits)));
  return inBlocksOf(id, side);
}

const EmbeddedBitmap* BitmapBlocks::inBlocksOf(std::uint16_t id, int side) {
  const EmbeddedBitmap* original = m_bitmaps.bitmap(id);
  if (original == nullptr) return nullptr;
  const std::pair<std::uint16_t, int> key{id, side};
  auto found = m_blocks.find(key);
  if (found == m_blocks.end()) found = m_blocks.emplace(key, inBlocks(*original, side)).first;
  return found->second ? &*found->second : original;
}

std::optional<EmbeddedBitmap> BitmapBlocks::inBlocks(const EmbeddedBitmap& bitmap, int blockSide) {
  const std::uint64_t side = static_cast<std::uint64_t>(blockSide);
  if (blockSide <= 1 || bitmap.data.empty() ||
      std::uint64_t{bitmap.width} * bitmap.height * side * side > kMaxBlockPixels)
    return std::nullopt;
  const Loader loader(gdk_pixbuf_loader_new());
  GError* failure = nullptr;
  const bool written = gdk_pixbuf_loader_write(loader.get(), bitmap.data.data(), bitmap.data.size(), &failure);
  g_clear_error(&failure);
  // A loader is always closed, even after a failed write.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), &failure);
  g_clear_error(&failure);
  GdkPixbuf* pixels = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;  // the loader's
  if (pixels == nullptr) return std::nullopt;
  const int width = gdk_pixbuf_get_width(pixels);
  const int height = gdk_pixbuf_get_height(pixels);
  if (std::uint64_t(width) * std::uint64_t(height) * side * side > kMaxBlockPixels) return std::nullopt;
  const Pixbuf blocks(gdk_pixbuf_scale_simple(pixels, width * blockSide, height * blockSide, GDK_INTERP_NEAREST));
  if (!blocks) return std::nullopt;
  gchar* png = nullptr;
  gsize size = 0;
  if (!gdk_pixbuf_save_to_buffer(blocks.get(), &png, &size, "png", &failure, nullptr)) {
    g_clear_error(&failure);
    return std::nullopt;
  }
  EmbeddedBitmap embedded{"image/png", std::vector<std::uint8_t>(png, png + size), bitmap.width, bitmap.height};
  g_free(png);
  return embedded;
}

}  // namespace orvane
