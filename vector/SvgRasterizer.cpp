#include "vector/SvgRasterizer.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace orvane {

namespace {

constexpr double kMaxSide = 16384;

/// Where a pixel takes its samples: the centres of some cells of a grid of `cells` x
/// `cells` over it (column, row).
struct SamplePattern {
  int cells;
  std::vector<std::pair<int, int>> samples;
};

/// The four samples of the player's high quality lie at (0.375, 0.125), (0.875, 0.375),
/// (0.125, 0.625) and (0.625, 0.875) of the pixel.
const SamplePattern kFourSamples{kFourSampleScale, {{1, 0}, {3, 1}, {0, 2}, {2, 3}}};
/// The centre of a grid of 5: at five times the size a twip is a quarter of a pixel, which
/// the rasteriser's fixed point (1/256) holds exactly, so edges through whole twips are
/// decided exactly.
const SamplePattern kPixelCentre{5, {{2, 2}}};

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

/// Draws `pattern.cells` times as wide and high without anti-aliasing, then keeps for each
/// pixel the mean of the sub-pixels whose centres lie where its samples do.
bool drawSamples(RsvgHandle* handle, cairo_surface_t* surface, const SamplePattern& pattern, std::string& error) {
  GError* failure = nullptr;
  if (!rsvg_handle_set_stylesheet(handle, reinterpret_cast<const guint8*>(kCrispEdges), std::strlen(kCrispEdges),
                                  &failure)) {
    error = takeMessage(failure, "the drawing style cannot be set");
    return false;
  }
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int cells = pattern.cells;
  const Surface fine(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * cells, height * cells));
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
      for (const auto& [column, row] : pattern.samples) {
        const unsigned char* sample =
            samples + (std::size_t(y) * cells + row) * sampleStride + (std::size_t(x) * cells + column) * 4;
        for (int channel = 0; channel < 4; ++channel) sums[channel] += sample[channel];
      }
      unsigned char* pixel = pixels + std::size_t(y) * stride + std::size_t(x) * 4;
      const auto count = static_cast<unsigned>(pattern.samples.size());
      for (int channel = 0; channel < 4; ++channel) pixel[channel] = static_cast<unsigned char>(sums[channel] / count);
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
  bool drawn = false;
  switch (coverage) {
    case EdgeCoverage::AsDocumentSays: drawn = draw(handle.get(), surface.get(), result.error); break;
    case EdgeCoverage::FourSamples: drawn = drawSamples(handle.get(), surface.get(), kFourSamples, result.error); break;
    case EdgeCoverage::PixelCentres: drawn = drawSamples(handle.get(), surface.get(), kPixelCentre, result.error); break;
  }
  if (!drawn) return result;
  cairo_surface_flush(surface.get());
  if (cairo_surface_write_to_png_stream(surface.get(), appendBytes, &result.png) != CAIRO_STATUS_SUCCESS) {
    result.png.clear();
    result.error = "the picture cannot be encoded as PNG";
  }
  return result;
}

}  // namespace orvane
