#include "fonts/FontLibrary.h"

#include "fonts/FontDecoder.h"
#include "movie/ScanResult.h"

namespace orvane {
namespace {

std::vector<const FontObject*> fontsOf(const ScanResult& result) {
  std::vector<const FontObject*> fonts;
  for (const auto& timeline : result.timelines())
    for (const auto& font : timeline->fonts) fonts.push_back(font.get());
  return fonts;
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

FontLibrary::FontLibrary(const ScanResult& result, std::span<const std::uint8_t> movie)
    : FontLibrary(fontsOf(result), movie, static_cast<std::uint8_t>(result.version)) {}

FontLibrary::FontLibrary(std::vector<const FontObject*> fonts, std::span<const std::uint8_t> movie,
                         std::uint8_t movieVersion)
    : m_movie(movie), m_version(movieVersion) {
  for (const FontObject* font : fonts)
    if (m_objects.emplace(font->characterId, font).second) m_order.push_back(font->characterId);
}

const SwfFont* FontLibrary::font(std::uint16_t id) const {
  const auto decoded = m_decoded.find(id);
  if (decoded != m_decoded.end()) return decoded->second.get();
  const auto object = m_objects.find(id);
  if (object == m_objects.end()) return nullptr;
  auto font = std::make_unique<SwfFont>(fontOf(*object->second, m_movie, m_version));
  return m_decoded.emplace(id, std::move(font)).first->second.get();
}

const SwfFont* FontLibrary::fontNamed(const std::string& name, bool bold, bool italic) const {
  // Outlines count before the style: a font without glyphs only names a device font.
  const SwfFont* best = nullptr;
  int bestScore = -1;
  for (const std::uint16_t id : m_order) {
    const SwfFont* candidate = font(id);
    if (!sameName(candidate->name, name)) continue;
    const int score = (candidate->glyphs.empty() ? 0 : 2) + (candidate->bold == bold && candidate->italic == italic ? 1 : 0);
    if (score > bestScore) best = candidate, bestScore = score;
  }
  return best;
}

}  // namespace orvane
