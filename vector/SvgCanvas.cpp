#include "vector/SvgCanvas.h"

#include <charconv>
#include <cmath>

namespace orvane {

void appendPixels(std::string& out, std::int64_t twips) {
  if (twips < 0) out += '-';
  const std::uint64_t magnitude = twips < 0 ? std::uint64_t(-(twips + 1)) + 1 : std::uint64_t(twips);
  out += std::to_string(magnitude / 20);
  const unsigned hundredths = static_cast<unsigned>(magnitude % 20) * 5;
  if (hundredths == 0) return;
  out += '.';
  out += static_cast<char>('0' + hundredths / 10);
  if (hundredths % 10 != 0) out += static_cast<char>('0' + hundredths % 10);
}

void appendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  if (value == 0) value = 0;  // no "-0"
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendHexColor(std::string& out, Rgba color) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += '#';
  for (std::uint8_t channel : {color.red, color.green, color.blue}) {
    out += kDigits[channel >> 4];
    out += kDigits[channel & 15];
  }
}

void appendOpacity(std::string& out, const char* name, double opacity) {
  if (opacity >= 1) return;
  out += ' ';
  out += name;
  out += "=\"";
  appendNumber(out, opacity);
  out += '"';
}

void appendTransformAttribute(std::string& out, const char* name, const Transform& transform) {
  if (transform.a == 1 && transform.b == 0 && transform.c == 0 && transform.d == 1 && transform.tx == 0 &&
      transform.ty == 0) {
    return;
  }
  out += ' ';
  out += name;
  out += "=\"matrix(";
  for (double value : {transform.a, transform.b, transform.c, transform.d, transform.tx / 20, transform.ty / 20}) {
    appendNumber(out, value);
    out += ' ';
  }
  out.back() = ')';
  out += '"';
}

std::string SvgCanvas::newId(const char* prefix) { return prefix + std::to_string(++m_nextId); }

std::string SvgCanvas::document(const SwfRect& area, double scale, const Rgba* background, bool antialias) const {
  const std::int64_t width = std::int64_t{area.xMax} - area.xMin;
  const std::int64_t height = std::int64_t{area.yMax} - area.yMin;
  std::string out;
  out.reserve(defs.size() + body.size() + 512);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
  out += " width=\"";
  appendNumber(out, std::max<double>(1, std::round(width * scale / 20)));
  out += "\" height=\"";
  appendNumber(out, std::max<double>(1, std::round(height * scale / 20)));
  out += "\" viewBox=\"";
  appendPixels(out, area.xMin);
  out += ' ';
  appendPixels(out, area.yMin);
  out += ' ';
  appendPixels(out, width);
  out += ' ';
  appendPixels(out, height);
  out += '"';
  if (!antialias) out += " shape-rendering=\"crispEdges\"";
  out += ">\n";
  if (!defs.empty()) {
    out += "<defs>\n";
    out += defs;
    out += "</defs>\n";
  }
  if (background != nullptr) {
    out += "<rect x=\"";
    appendPixels(out, area.xMin);
    out += "\" y=\"";
    appendPixels(out, area.yMin);
    out += "\" width=\"";
    appendPixels(out, width);
    out += "\" height=\"";
    appendPixels(out, height);
    out += "\" fill=\"";
    appendHexColor(out, *background);
    out += "\"/>\n";
  }
  out += body;
  out += "</svg>\n";
  return out;
}

}  // namespace orvane
