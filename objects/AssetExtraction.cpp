#include "objects/AssetExtraction.h"

#include <string_view>

#include "fonts/FontDecoder.h"
#include "fonts/TrueTypeWriter.h"
#include "movie/ScanResult.h"
#include "platform/FileTools.h"
#include "vector/TextSvg.h"

namespace orvane {

namespace {

bool writeText(const std::string& path, std::string_view text) {
  return writeWholeFile(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace

AssetExtraction::AssetExtraction(const ScanResult& result, std::span<const std::uint8_t> movie, const AssetKinds& kinds)
    : m_movie(movie),
      m_version(static_cast<std::uint8_t>(result.version)),
      m_kinds(kinds),
      m_fonts(result, movie),
      m_texts(movie, m_version, m_fonts) {}

std::size_t AssetExtraction::count(const TimelineNode& timeline) const {
  return (m_kinds.fonts ? timeline.fonts.size() : 0) + (m_kinds.texts ? timeline.texts.size() : 0);
}

void AssetExtraction::extract(const TimelineNode& timeline, const std::string& folder, std::string& report,
                              const std::function<void()>& advance) const {
  if (m_kinds.fonts) extractFonts(timeline, folder, report, advance);
  if (m_kinds.texts) extractTexts(timeline, folder, report, advance);
}

// Each font object is decoded on its own (not looked up by id): a movie that defines an id
// twice gets both files. A DefineFont4 without data has no file and fails.
void AssetExtraction::extractFonts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                   const std::function<void()>& advance) const {
  report += "\n- Extracting Fonts - \n";
  for (const auto& font : timeline.fonts) {
    const FontFile file = fontFileOf(fontOf(*font, m_movie, m_version));
    const std::string path = folder + "font" + std::to_string(font->characterId) + file.extension;
    report += path + "Converting And Extracting...";
    report += !file.bytes.empty() && writeWholeFile(path, file.bytes) ? " Success\n" : " Failed\n";
    advance();
  }
}

// A text whose records are damaged is still written with the glyphs that could be placed,
// but reported as failed, so that a partial picture never passes for the whole text.
void AssetExtraction::extractTexts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                   const std::function<void()>& advance) const {
  report += "\n- Extracting Texts - \n";
  for (const auto& text : timeline.texts) {
    const std::string path = folder + "text" + std::to_string(text->characterId) + ".svg";
    report += path + "Drawing And Extracting...";
    const TextPicture picture = m_texts.picture(*text);
    report += writeText(path, textSvg(picture)) && picture.faults.empty() ? " Success\n" : " Failed\n";
    advance();
  }
}

}  // namespace orvane
