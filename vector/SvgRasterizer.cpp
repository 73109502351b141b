#include "vector/SvgRasterizer.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace orvane {

namespace {

constexpr double kMaxSide = 16384;

/// The four samples of a pixel lie at the centres of these cells of a 4 x 4 grid over it
/// (column, row): (0.375, 0.125), (0.875, 0.375), (0.125, 0.625) and (0.625, 0.875).
constexpr int kGrid = 4;
constexpr int kSamples[4][2] = {{1, 0}, {3, 1}, {0, 2}, {2, 3}};

/// Every element drawn as covered or not at the pixel's centre.
constexpr char kCrispEdges[] = "* { shape-rendering: crispEdges; }";

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
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

/// The message of a failure, freed; `fallback` when there is none.
std::string takeMessage(GError* failure, const char* fallback) {
  if (failure == nullptr) return fallback;
  std::string message = failure->message;
  g_error_free(failure);
  return message;
}

/// The handle of the parsed document, or none with `error` set.
Handle parse(std::string_view svg, std::string& error) {
  GError* failure = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &failure);
  if (handle == nullptr) error = takeMessage(failure, "the SVG document cannot be read");
  return Handle(handle);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

/// Draws the document's viewport over the whole surface.
bool draw(RsvgHandle* handle, cairo_surface_t* surface, std::string& error) {
  const std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface));
  const RsvgRectangle viewport{0, 0, double(cairo_image_surface_get_width(surface)),
                               double(cairo_image_surface_get_height(surface))};
  GError* failure = nullptr;
  if (rsvg_handle_render_document(handle, context.get(), &viewport, &failure)) return true;
  error = takeMessage(failure, "the SVG document cannot be drawn");
  return false;
}

/// Draws four times as wide and high, then keeps for each pixel the mean of the four
/// sub-pixels whose centres lie where the samples do.
bool drawFourSamples(RsvgHandle* handle, cairo_surface_t* surface, std::string& error) {
  GError* failure = nullptr;
  if (!rsvg_handle_set_stylesheet(handle, reinterpret_cast<const guint8*>(kCrispEdges), std::strlen(kCrispEdges),
                                  &failure)) {
    error = takeMessage(failure, "the drawing style cannot be set");
    return false;
  }
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const Surface fine(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * kGrid, height * kGrid));
  if (cairo_surface_status(fine.get()) != CAIRO_STATUS_SUCCESS) {
    error = "no room for the samples of the picture";
    return false;
  }
  if (!draw(handle, fine.get(), error)) return false;
  cairo_surface_flush(fine.get());
  const unsigned char* samples = cairo_image_surface_get_data(fine.get());
  const std::size_t sampleStride = cairo_image_surface_get_stride(fine.get());
  cairo_surface_flush(surface);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const std::size_t stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned sums[4] = {0, 0, 0, 0};
      for (const auto& [column, row] : kSamples) {
        const unsigned char* sample =
            samples + (std::size_t(y) * kGrid + row) * sampleStride + (std::size_t(x) * kGrid + column) * 4;
        for (int channel = 0; channel < 4; ++channel) sums[channel] += sample[channel];
      }
      unsigned char* pixel = pixels + std::size_t(y) * stride + std::size_t(x) * 4;
      for (int channel = 0; channel < 4; ++channel) pixel[channel] = static_cast<unsigned char>(sums[channel] / 4);
    }
  }
  cairo_surface_mark_dirty(surface);
  return true;
}

}  // namespace

std::string checkSvg(std::string_view svg) {
  std::string error;
  parse(svg, error);
  return error;
}

RasterResult rasterizeSvg(std::string_view svg, double scale, EdgeCoverage coverage) {
  RasterResult result;
  const Handle handle = parse(svg, result.error);
  if (!handle) return result;
  gdouble width = 0;
  gdouble height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height)) width = height = 1;
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const int pixelsWide = static_cast<int>(std::clamp(std::round(width * scale), 1.0, kMaxSide));
  const int pixelsHigh = static_cast<int>(std::clamp(std::round(height * scale), 1.0, kMaxSide));
  const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsWide, pixelsHigh));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    result.error = "no picture of " + std::to_string(pixelsWide) + " x " + std::to_string(pixelsHigh) + " pixels";
    return result;
  }
  const bool drawn = coverage == EdgeCoverage::FourSamples ? drawFourSamples(handle.get(), surface.get(), result.error)
                                                           : draw(handle.get(), surface.get(), result.error);
  if (!drawn) return result;
  cairo_surface_flush(surface.get());
  if (cairo_surface_write_to_png_stream(surface.get(), appendBytes, &result.png) != CAIRO_STATUS_SUCCESS) {
    result.png.clear();
    result.error = "the picture cannot be encoded as PNG";
  }
  return result;
}

}  // namespace orvane
