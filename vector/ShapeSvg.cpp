#include "vector/ShapeSvg.h"

#include <algorithm>
#include <cmath>

#include "vector/GradientRamp.h"

namespace orvane {

namespace {

/// The gradient square spans -16384..16384 twips of gradient space.
constexpr double kGradientHalfSize = 819.2;
/// The player keeps the focal point of a focal gradient within 0.98 of the radius, so
/// that the ratios near the rim stay finite.
constexpr double kMaxFocalPoint = 0.98;
/// The nearest of the four samples lies an eighth of a pixel from the corner: a quarter of
/// the half pixel to the centre.
constexpr double kNearSampleShare = 0.25;
/// At low quality the player draws each curve as this many lines.
constexpr int kLowQualityCurveLines = 5;

const char* spreadName(std::uint8_t mode) {
  switch (mode) {
    case 1: return "reflect";
    case 2: return "repeat";
    default: return "pad";
  }
}

const char* capName(std::uint8_t cap) {
  switch (cap) {
    case linecap::kNone: return "butt";
    case linecap::kSquare: return "square";
    default: return "round";
  }
}

const char* joinName(std::uint8_t join) {
  switch (join) {
    case linejoin::kBevel: return "bevel";
    case linejoin::kMiter: return "miter";
    default: return "round";
  }
}

/// Entry i of the colour table covers i / 256 to (i + 1) / 256 of the gradient. At high
/// quality the player takes the entry a pixel's ratio falls in, unblended; at low quality its
/// pixels match the entries blended between their centres.
double entryStart(std::size_t i) { return double(i) / 256; }
double entryCentre(std::size_t i) { return (i + 0.5) / 256; }

/// Whether entry `i` lies on the straight line between its neighbours in every channel, so
/// that blending them gives it back.
bool liesBetweenNeighbours(const GradientRamp& ramp, std::size_t i) {
  if (i == 0 || i + 1 >= ramp.size()) return false;
  const Rgba& a = ramp[i - 1];
  const Rgba& b = ramp[i];
  const Rgba& c = ramp[i + 1];
  return a.red + c.red == 2 * b.red && a.green + c.green == 2 * b.green && a.blue + c.blue == 2 * b.blue &&
         a.alpha + c.alpha == 2 * b.alpha;
}

void appendStop(std::string& out, double offset, Rgba color) {
  out += "<stop offset=\"";
  appendNumber(out, offset);
  out += "\" stop-color=\"";
  appendHexColor(out, color);
  out += '"';
  if (color.alpha != 255) {
    out += " stop-opacity=\"";
    appendNumber(out, color.alpha / 255.0);
    out += '"';
  }
  out += "/>\n";
}

/// Point `step` of the curve divided into kLowQualityCurveLines equal steps of its
/// parameter, rounded to whole twips.
ShapePoint pointOnCurve(const PathSegment& segment, int step) {
  const double t = double(step) / kLowQualityCurveLines;
  const auto along = [t](double from, double control, double to) {
    return static_cast<std::int32_t>(
        std::lround((1 - t) * (1 - t) * from + 2 * t * (1 - t) * control + t * t * to));
  };
  return ShapePoint{along(segment.from.x, segment.control.x, segment.to.x),
                    along(segment.from.y, segment.control.y, segment.to.y)};
}

void appendCoordinates(std::string& out, ShapePoint point) {
  appendPixels(out, point.x);
  out += ' ';
  appendPixels(out, point.y);
}

bool isRepeating(const FillStyle& fill) {
  return fill.type == fillkind::kRepeatingBitmap || fill.type == fillkind::kRepeatingHardBitmap;
}

bool isSmoothed(const FillStyle& fill) {
  return fill.type == fillkind::kRepeatingBitmap || fill.type == fillkind::kClippedBitmap;
}

/// The bitmap matrix maps bitmap pixels to twips; the image is drawn in pixels.
Transform bitmapTransform(const FillStyle& fill) {
  Transform matrix = Transform::of(fill.matrix);
  matrix.a /= 20;
  matrix.b /= 20;
  matrix.c /= 20;
  matrix.d /= 20;
  return matrix;
}

/// Whether two path data have the same commands in the same order, so that SMIL can
/// interpolate one into the other number by number.
bool sameCommands(const std::string& a, const std::string& b) {
  const auto commands = [](const std::string& data) {
    std::string letters;
    for (char c : data)
      if (c >= 'A' && c <= 'Z') letters += c;
    return letters;
  };
  return commands(a) == commands(b);
}

const char* fillRuleOf(const ShapePaths& paths) { return paths.nonZeroWinding ? "nonzero" : "evenodd"; }

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string dataUri(const EmbeddedBitmap& bitmap) {
  std::string out = "data:" + bitmap.mimeType + ";base64,";
  const std::vector<std::uint8_t>& data = bitmap.data;
  out.reserve(out.size() + (data.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    const std::uint32_t v = std::uint32_t(data[i]) << 16 | std::uint32_t(data[i + 1]) << 8 | data[i + 2];
    for (int shift : {18, 12, 6, 0}) out += kBase64[(v >> shift) & 63];
  }
  if (i < data.size()) {
    const bool two = i + 1 < data.size();
    const std::uint32_t v = std::uint32_t(data[i]) << 16 | (two ? std::uint32_t(data[i + 1]) << 8 : 0);
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += two ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

void appendPathData(std::string& out, const std::vector<Contour>& contours, bool closeAll, bool curvesAsLines) {
  for (const Contour& contour : contours) {
    if (contour.segments.empty()) continue;
    out += 'M';
    appendCoordinates(out, contour.segments.front().from);
    ShapePoint pen = contour.segments.front().from;
    for (const PathSegment& segment : contour.segments) {
      if (!(segment.from == pen)) {
        out += 'M';
        appendCoordinates(out, segment.from);
      }
      if (segment.curved && curvesAsLines) {
        for (int step = 1; step < kLowQualityCurveLines; ++step) {
          out += 'L';
          appendCoordinates(out, pointOnCurve(segment, step));
        }
        out += 'L';
      } else if (segment.curved) {
        out += 'Q';
        appendCoordinates(out, segment.control);
        out += ' ';
      } else {
        out += 'L';
      }
      appendCoordinates(out, segment.to);
      pen = segment.to;
    }
    if (closeAll || contour.closed) out += 'Z';
  }
}

ShapeSvgWriter::Paint ShapeSvgWriter::paint(const FillStyle& fill, const ColorTransform& colors, std::uint32_t index,
                                            bool allowClipped) {
  if (fill.type == fillkind::kSolid) {
    const Rgba color = colors.apply(fill.color);
    std::string value;
    appendHexColor(value, color);
    return Paint{value, color.alpha / 255.0};
  }
  if (fill.isGradient()) return Paint{"url(#" + gradient(fill, colors) + ")", 1};
  const EmbeddedBitmap* bitmap = nullptr;
  if (m_bitmaps != nullptr) {
    bitmap = isSmoothed(fill) ? m_bitmaps->bitmap(fill.bitmapId)
                              : m_bitmaps->unsmoothedBitmap(fill.bitmapId,
                                                            enlargement(m_placement * bitmapTransform(fill)));
  }
  if (bitmap == nullptr) {
    m_canvas.notes.push_back("Fill style " + std::to_string(index + 1) + " names the bitmap " +
                             std::to_string(fill.bitmapId) + ", which the movie does not define: it is not filled.");
    return Paint{};
  }
  if (allowClipped && !isRepeating(fill)) return Paint{"", 1, bitmap};
  return Paint{"url(#" + pattern(fill, *bitmap, colors) + ")", 1};
}

Transform ShapeSvgWriter::atSampleCorner(Transform matrix, bool linear) const {
  if (m_canvas.gradientSampleShift == 0) return matrix;
  // The player takes a pixel's colour at its top left corner: the gradient moves by that
  // much towards the bottom right of the device, in the shape's coordinates.
  // A linear gradient moves by less or more on each axis, so that the four samples of a
  // pixel lie from its corner on towards higher ratios, in the band the corner is in.
  const Transform& placed = m_placement;
  const double determinant = placed.a * placed.d - placed.b * placed.c;
  const Transform device = placed * matrix;
  const auto shiftAlong = [this, linear](double ratioSlope) {
    const double half = m_canvas.gradientSampleShift;
    if (!linear || ratioSlope == 0) return half;
    return ratioSlope > 0 ? half * kNearSampleShare : half * (2 - kNearSampleShare);
  };
  const double deviceDeterminant = device.a * device.d - device.b * device.c;
  if (determinant != 0 && std::isfinite(determinant) && deviceDeterminant != 0) {
    const double shiftX = shiftAlong(device.d / deviceDeterminant) * 20;
    const double shiftY = shiftAlong(-device.c / deviceDeterminant) * 20;
    matrix.tx += (placed.d * shiftX - placed.c * shiftY) / determinant;
    matrix.ty += (placed.a * shiftY - placed.b * shiftX) / determinant;
  }
  return matrix;
}

std::string ShapeSvgWriter::gradient(const FillStyle& fill, const ColorTransform& colors) {
  const std::string id = m_canvas.newId("g");
  std::string& out = m_canvas.defs;
  const bool linear = fill.type == fillkind::kLinearGradient;
  out += linear ? "<linearGradient" : "<radialGradient";
  out += " id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\"";
  if (linear) {
    out += " x1=\"-819.2\" y1=\"0\" x2=\"819.2\" y2=\"0\"";
  } else {
    out += " cx=\"0\" cy=\"0\" r=\"819.2\"";
    if (fill.type == fillkind::kFocalGradient && fill.gradient.focalPoint != 0) {
      out += " fx=\"";
      appendNumber(out, std::clamp(fill.gradient.focalPoint, -kMaxFocalPoint, kMaxFocalPoint) * kGradientHalfSize);
      out += "\" fy=\"0\"";
    }
  }
  out += " spreadMethod=\"";
  out += spreadName(fill.gradient.spreadMode);
  out += '"';
  appendTransformAttribute(out, "gradientTransform", atSampleCorner(Transform::of(fill.matrix), linear));
  out += ">\n";
  // Each run of equal entries as a band of its own colour with hard edges, or the entries
  // blended between their centres.
  const GradientRamp ramp = gradientRamp(fill.gradient, colors);
  if (!m_canvas.gradientBands) {
    // Entries blended at their centres; the ends hold the outer entries, so that a
    // repeating gradient keeps them up to the seam instead of blending the last into the first.
    appendStop(out, 0, ramp.front());
    for (std::size_t i = 0; i < ramp.size(); ++i) {
      if (!liesBetweenNeighbours(ramp, i)) appendStop(out, entryCentre(i), ramp[i]);
    }
    appendStop(out, 1, ramp.back());
  } else {
    for (std::size_t i = 0; i < ramp.size();) {
      std::size_t end = i + 1;
      while (end < ramp.size() && ramp[end] == ramp[i]) ++end;
      appendStop(out, entryStart(i), ramp[i]);
      appendStop(out, entryStart(end), ramp[i]);
      i = end;
    }
  }
  out += linear ? "</linearGradient>\n" : "</radialGradient>\n";
  return id;
}

std::string ShapeSvgWriter::pattern(const FillStyle& fill, const EmbeddedBitmap& bitmap, const ColorTransform& colors) {
  const std::string id = m_canvas.newId("p");
  const Transform matrix = bitmapTransform(fill);
  const bool smoothed = isSmoothed(fill);
  std::string filter;
  if (!colors.isIdentity()) filter = colorFilter(colors);
  std::string& out = m_canvas.defs;
  out += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"" + std::to_string(bitmap.width) +
         "\" height=\"" + std::to_string(bitmap.height) + '"';
  appendTransformAttribute(out, "patternTransform", matrix);
  out += '>';
  appendImage(out, bitmap, smoothed, filter, nullptr);
  out += "</pattern>\n";
  return id;
}

void ShapeSvgWriter::appendImage(std::string& out, const EmbeddedBitmap& bitmap, bool smoothed,
                                 const std::string& filter, const Transform* transform) {
  out += "<image width=\"" + std::to_string(bitmap.width) + "\" height=\"" + std::to_string(bitmap.height) +
         "\" preserveAspectRatio=\"none\"";
  if (transform != nullptr) appendTransformAttribute(out, "transform", *transform);
  if (!smoothed) out += " image-rendering=\"optimizeSpeed\"";
  if (!filter.empty()) out += " filter=\"url(#" + filter + ")\"";
  out += " xlink:href=\"" + dataUri(bitmap) + "\"/>";
}

void ShapeSvgWriter::drawClippedBitmap(const FillStyle& fill, const EmbeddedBitmap& bitmap, const StyledPath& path,
                                       const char* fillRule, const ColorTransform& colors) {
  std::string outline = "<path fill-rule=\"";
  outline += fillRule;
  outline += "\" d=\"";
  appendPathData(outline, path.contours, true, m_canvas.curvesAsLines);
  outline += "\"/>\n";
  const std::string mask = m_canvas.addMask(boundsOf(path.contours), outline);
  const std::string filter = colors.isIdentity() ? std::string() : colorFilter(colors);
  const Transform matrix = bitmapTransform(fill);
  std::string& out = m_canvas.body;
  out += "<g mask=\"url(#" + mask + ")\">";
  appendImage(out, bitmap, isSmoothed(fill), filter, &matrix);
  out += "</g>\n";
}

std::string ShapeSvgWriter::colorFilter(const ColorTransform& colors) {
  const std::string filter = m_canvas.newId("f");
  std::string& out = m_canvas.defs;
  {
    out += "<filter id=\"" + filter + "\" color-interpolation-filters=\"sRGB\"><feColorMatrix type=\"matrix\" values=\"";
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        appendNumber(out, row == column ? colors.multiply[row] : 0);
        out += ' ';
      }
      appendNumber(out, colors.add[row] / 255);
      out += ' ';
    }
    out.back() = '"';
    out += "/></filter>\n";
  }
  return filter;
}

void ShapeSvgWriter::draw(const std::vector<ShapeStyles>& groups, const ShapePaths& paths,
                          const Transform& transform, const ColorTransform& colors, const MorphTarget* target) {
  m_placement = transform;
  std::string& out = m_canvas.body;
  out += "<g";
  appendTransformAttribute(out, "transform", transform);
  out += ">\n";
  for (std::size_t l = 0; l < paths.layers.size(); ++l) {
    const ShapePaths::Layer& layer = paths.layers[l];
    const ShapePaths::Layer* endLayer =
        target != nullptr && l < target->paths.layers.size() ? &target->paths.layers[l] : nullptr;
    for (std::size_t f = 0; f < layer.fills.size(); ++f) {
      const StyledPath& path = layer.fills[f];
      const FillStyle& style = groups[path.group].fills[path.style];
      const Paint fill = paint(style, colors, path.style, true);
      if (fill.clippedBitmap != nullptr) {
        drawClippedBitmap(style, *fill.clippedBitmap, path, fillRuleOf(paths), colors);
        continue;
      }
      if (fill.value.empty()) continue;
      out += "<path fill=\"" + fill.value + '"';
      appendOpacity(out, "fill-opacity", fill.opacity);
      out += " fill-rule=\"";
      out += fillRuleOf(paths);
      out += '"';
      std::string data;
      appendPathData(data, path.contours, true, m_canvas.curvesAsLines);
      std::string endData;
      Paint endFill;
      if (endLayer != nullptr && f < endLayer->fills.size()) {
        const StyledPath& end = endLayer->fills[f];
        appendPathData(endData, end.contours, true, m_canvas.curvesAsLines);
        const FillStyle& endStyle = target->groups[end.group].fills[end.style];
        if (style.type == fillkind::kSolid && endStyle.type == fillkind::kSolid)
          endFill = paint(endStyle, colors, end.style, false);
      }
      closePath(data, endData, "fill", fill, endFill, target);
    }
    for (std::size_t i = 0; i < layer.lines.size(); ++i) {
      const StyledPath& path = layer.lines[i];
      const StyledPath* end = endLayer != nullptr && i < endLayer->lines.size() ? &endLayer->lines[i] : nullptr;
      drawLine(groups[path.group].lines[path.style], path, transform, colors, target, end);
    }
  }
  out += "</g>\n";
}

void ShapeSvgWriter::closePath(const std::string& data, const std::string& endData, const char* paintName,
                               const Paint& paint, const Paint& endPaint, const MorphTarget* target) {
  std::string& out = m_canvas.body;
  out += " d=\"" + data + '"';
  if (target == nullptr || endData.empty()) {
    out += "/>\n";
    return;
  }
  out += ">\n";
  const auto animate = [&out, target](const std::string& attribute, const std::string& from, const std::string& to,
                                      bool discrete) {
    if (from == to) return;
    out += "<animate attributeName=\"" + attribute + "\" values=\"" + from + ';' + to + "\" dur=\"";
    appendNumber(out, target->seconds);
    out += "s\" repeatCount=\"indefinite\"";
    if (discrete) out += " calcMode=\"discrete\"";
    out += "/>\n";
  };
  animate("d", data, endData, !sameCommands(data, endData));
  if (!endPaint.value.empty()) {
    animate(paintName, paint.value, endPaint.value, false);
    std::string opacity;
    std::string endOpacity;
    appendNumber(opacity, paint.opacity);
    appendNumber(endOpacity, endPaint.opacity);
    animate(std::string(paintName) + "-opacity", opacity, endOpacity, false);
  }
  out += "</path>\n";
}

void ShapeSvgWriter::drawLine(const LineStyle& line, const StyledPath& path, const Transform& transform,
                              const ColorTransform& colors, const MorphTarget* target, const StyledPath* end) {
  const auto strokeOf = [this, &colors](const LineStyle& style, std::uint32_t index, bool withGradients) {
    Paint stroke;
    if (style.hasFill) {
      if (withGradients || style.fill.type == fillkind::kSolid) stroke = paint(style.fill, colors, index, false);
    } else {
      const Rgba color = colors.apply(style.color);
      appendHexColor(stroke.value, color);
      stroke.opacity = color.alpha / 255.0;
    }
    return stroke;
  };
  const Paint stroke = strokeOf(line, path.style, true);
  if (stroke.value.empty()) return;
  std::string& out = m_canvas.body;
  out += "<path fill=\"none\" stroke=\"" + stroke.value + '"';
  appendOpacity(out, "stroke-opacity", stroke.opacity);
  // The player draws no line thinner than one pixel, and lines that do not scale keep their width.
  const double scaledWidth = line.width / 20.0 * transform.scale();
  const bool fixedWidth = scaledWidth < 1 || line.noHorizontalScale || line.noVerticalScale;
  out += " stroke-width=\"";
  appendNumber(out, fixedWidth ? std::max(1.0, line.width / 20.0) : line.width / 20.0);
  out += '"';
  if (fixedWidth) out += " vector-effect=\"non-scaling-stroke\"";
  out += " stroke-linecap=\"";
  out += capName(line.startCap);
  out += "\" stroke-linejoin=\"";
  out += joinName(line.join);
  out += '"';
  if (line.join == linejoin::kMiter) {
    out += " stroke-miterlimit=\"";
    appendNumber(out, std::max(1.0, line.miterLimit / 256.0));
    out += '"';
  }
  const auto dataOf = [this](const LineStyle& style, const StyledPath& styled) {
    std::vector<Contour> contours = styled.contours;
    if (style.noClose)
      for (Contour& contour : contours) contour.closed = false;
    std::string data;
    appendPathData(data, contours, false, m_canvas.curvesAsLines);
    return data;
  };
  std::string endData;
  Paint endStroke;
  if (target != nullptr && end != nullptr) {
    const LineStyle& endLine = target->groups[end->group].lines[end->style];
    endData = dataOf(endLine, *end);
    if (!line.hasFill || line.fill.type == fillkind::kSolid) endStroke = strokeOf(endLine, end->style, false);
  }
  closePath(dataOf(line, path), endData, "stroke", stroke, endStroke, target);
}

void ShapeSvgWriter::clip(const ShapePaths& paths, const Transform& transform, std::string& out) const {
  for (const ShapePaths::Layer& layer : paths.layers) {
    for (const StyledPath& path : layer.fills) {
      out += "<path fill-rule=\"";
      out += fillRuleOf(paths);
      out += '"';
      appendTransformAttribute(out, "transform", transform);
      out += " d=\"";
      appendPathData(out, path.contours, true, m_canvas.curvesAsLines);
      out += "\"/>\n";
    }
  }
}

double ShapeSvgWriter::enlargement(const Transform& transform) const {
  const double across = std::hypot(transform.a, transform.b);
  const double down = std::hypot(transform.c, transform.d);
  return std::max(across, down) * m_canvas.deviceScale;
}

void ShapeSvgWriter::drawBitmap(const EmbeddedBitmap& bitmap, const Transform& transform,
                                const ColorTransform& colors) {
  const std::string filter = colors.isIdentity() ? std::string() : colorFilter(colors);
  appendImage(m_canvas.body, bitmap, false, filter, &transform);
  m_canvas.body += '\n';
}

void ShapeSvgWriter::clipBitmap(const EmbeddedBitmap& bitmap, const Transform& transform, std::string& out) {
  out += "<rect width=\"" + std::to_string(bitmap.width) + "\" height=\"" + std::to_string(bitmap.height) + '"';
  appendTransformAttribute(out, "transform", transform);
  out += "/>\n";
}

}  // namespace orvane
