#include "objects/AssetExtraction.h"

#include <string_view>

#include "fonts/FontDecoder.h"
#include "fonts/TrueTypeWriter.h"
#include "movie/ScanResult.h"
#include "platform/FileTools.h"
#include "vector/SvgRasterizer.h"

namespace orvane {

namespace {

bool writeText(const std::string& path, std::string_view text) {
  return writeWholeFile(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

/// The report line of one file: its path, what was done, and whether it worked.
void reportFile(std::string& report, const std::string& path, const char* doing, bool success) {
  report += path + doing + (success ? " Success\n" : " Failed\n");
}

/// Writes the picture's SVG; a damaged asset is still written as far as it reads, but
/// reported as failed, so that a partial picture never passes for the whole asset.
void writePicture(std::string& report, const std::string& path, const AssetPicture& picture) {
  reportFile(report, path, "Drawing And Extracting...", writeText(path, picture.svg) && !picture.damaged);
}

constexpr std::uint16_t kMorphEnd = 65535;
/// Frames are written through the four-sample pass.
const FrameOptions kFramesAsPng{.bitmapBlocks = kFourSampleScale};

}  // namespace

AssetExtraction::AssetExtraction(const ScanResult& result, const PreservationSource& source, const AssetKinds& kinds,
                                 std::string scratchFolder)
    : m_movie(source.movie),
      m_version(static_cast<std::uint8_t>(result.version)),
      m_kinds(kinds),
      m_artwork(result, source, std::move(scratchFolder)) {}

std::size_t AssetExtraction::count(const TimelineNode& timeline) const {
  return (m_kinds.shapes ? timeline.shapes.size() : 0) + (m_kinds.morphShapes ? 3 * timeline.morphShapes.size() : 0) +
         (m_kinds.fonts ? timeline.fonts.size() : 0) + (m_kinds.texts ? timeline.texts.size() : 0) +
         (m_kinds.frames ? timeline.playedFrames() : 0);
}

void AssetExtraction::extract(const TimelineNode& timeline, const std::string& folder, std::string& report,
                              const Advance& advance) {
  if (m_kinds.shapes) extractShapes(timeline, folder, report, advance);
  if (m_kinds.morphShapes) extractMorphShapes(timeline, folder, report, advance);
  if (m_kinds.fonts) extractFonts(timeline, folder, report, advance);
  if (m_kinds.texts) extractTexts(timeline, folder, report, advance);
  if (m_kinds.frames) extractFrames(timeline, folder, report, advance);
}

void AssetExtraction::extractShapes(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                    const Advance& advance) {
  report += "\n- Extracting Shapes - \n";
  for (const auto& shape : timeline.shapes) {
    writePicture(report, folder + "shape" + std::to_string(shape->characterId) + ".svg", m_artwork.shape(*shape));
    advance();
  }
}

// A morph shape is written as the two shapes it moves between and as its animation.
void AssetExtraction::extractMorphShapes(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                         const Advance& advance) {
  report += "\n- Extracting Morph Shapes - \n";
  for (const auto& morph : timeline.morphShapes) {
    const std::string name = folder + "morphshape" + std::to_string(morph->characterId);
    writePicture(report, name + " start.svg", m_artwork.morphShape(*morph, 0));
    advance();
    writePicture(report, name + " end.svg", m_artwork.morphShape(*morph, kMorphEnd));
    advance();
    writePicture(report, name + ".svg", m_artwork.morphAnimation(*morph));
    advance();
  }
}

// Each font object is decoded on its own (not looked up by id): a movie that defines an id
// twice gets both files. A DefineFont4 without data has no file and fails.
void AssetExtraction::extractFonts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                   const Advance& advance) const {
  report += "\n- Extracting Fonts - \n";
  for (const auto& font : timeline.fonts) {
    const FontFile file = fontFileOf(fontOf(*font, m_movie, m_version));
    const std::string path = folder + "font" + std::to_string(font->characterId) + file.extension;
    reportFile(report, path, "Converting And Extracting...", !file.bytes.empty() && writeWholeFile(path, file.bytes));
    advance();
  }
}

void AssetExtraction::extractTexts(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                   const Advance& advance) const {
  report += "\n- Extracting Texts - \n";
  for (const auto& text : timeline.texts) {
    writePicture(report, folder + "text" + std::to_string(text->characterId) + ".svg", m_artwork.text(*text));
    advance();
  }
}

// Frames are named as the tree counts them, from 0; each is the display at the frame's end.
void AssetExtraction::extractFrames(const TimelineNode& timeline, const std::string& folder, std::string& report,
                                    const Advance& advance) {
  report += "\n- Extracting Frames - \n";
  for (std::uint32_t frame = 0; frame < timeline.playedFrames(); ++frame) {
    const std::string path = folder + "frame" + std::to_string(frame) + ".png";
    const RasterResult picture = rasterizeSvg(m_artwork.frame(timeline, frame, kFramesAsPng).svg, 1, EdgeCoverage::FourSamples);
    reportFile(report, path, "Drawing And Extracting...", !picture.png.empty() && writeWholeFile(path, picture.png));
    advance();
  }
}

}  // namespace orvane
