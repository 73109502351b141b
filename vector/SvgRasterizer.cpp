#include "vector/SvgRasterizer.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace orvane {

namespace {

constexpr double kMaxSide = 16384;

struct HandleDeleter {
  void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleDeleter>;

/// The handle of the parsed document, or none with `error` set.
Handle parse(std::string_view svg, std::string& error) {
  GError* failure = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &failure);
  if (handle == nullptr) {
    error = failure != nullptr ? failure->message : "the SVG document cannot be read";
    if (failure != nullptr) g_error_free(failure);
  }
  return Handle(handle);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string checkSvg(std::string_view svg) {
  std::string error;
  parse(svg, error);
  return error;
}

RasterResult rasterizeSvg(std::string_view svg, double scale) {
  RasterResult result;
  const Handle handle = parse(svg, result.error);
  if (!handle) return result;
  gdouble width = 0;
  gdouble height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height)) width = height = 1;
  width = std::max(width, 1.0);
  height = std::max(height, 1.0);
  if (!(scale > 0)) scale = 1;
  const int pixelsWide = static_cast<int>(std::clamp(std::round(width * scale), 1.0, kMaxSide));
  const int pixelsHigh = static_cast<int>(std::clamp(std::round(height * scale), 1.0, kMaxSide));
  const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsWide, pixelsHigh));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    result.error = "no picture of " + std::to_string(pixelsWide) + " x " + std::to_string(pixelsHigh) + " pixels";
    return result;
  }
  const std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
  // The document is laid out at its own size and scaled as a whole.
  cairo_scale(context.get(), pixelsWide / width, pixelsHigh / height);
  const RsvgRectangle viewport{0, 0, width, height};
  GError* failure = nullptr;
  if (!rsvg_handle_render_document(handle.get(), context.get(), &viewport, &failure)) {
    result.error = failure != nullptr ? failure->message : "the SVG document cannot be drawn";
    if (failure != nullptr) g_error_free(failure);
    return result;
  }
  cairo_surface_flush(surface.get());
  if (cairo_surface_write_to_png_stream(surface.get(), appendBytes, &result.png) != CAIRO_STATUS_SUCCESS) {
    result.png.clear();
    result.error = "the picture cannot be encoded as PNG";
  }
  return result;
}

}  // namespace orvane
