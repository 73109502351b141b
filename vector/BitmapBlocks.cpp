#include "vector/BitmapBlocks.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

namespace orvane {

namespace {

struct ObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using Loader = std::unique_ptr<GdkPixbufLoader, ObjectDeleter>;
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectDeleter>;

}  // namespace

const EmbeddedBitmap* BitmapBlocks::bitmap(std::uint16_t id) {
  const EmbeddedBitmap* original = m_bitmaps.bitmap(id);
  if (original == nullptr) return nullptr;
  auto found = m_blocks.find(id);
  if (found == m_blocks.end()) found = m_blocks.emplace(id, inBlocks(*original)).first;
  return found->second ? &*found->second : original;
}

std::optional<EmbeddedBitmap> BitmapBlocks::inBlocks(const EmbeddedBitmap& bitmap) const {
  const std::uint64_t side = static_cast<std::uint64_t>(m_side);
  if (m_side <= 1 || bitmap.data.empty() ||
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
  const Pixbuf blocks(gdk_pixbuf_scale_simple(pixels, width * m_side, height * m_side, GDK_INTERP_NEAREST));
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
