#include "objects/AssetSaving.h"

#include "fonts/TrueTypeWriter.h"
#include "objects/ObjectSaving.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"
#include "vector/SvgRasterizer.h"

namespace orvane {

namespace {

std::optional<std::string> writeSaved(const std::string& path, std::span<const std::uint8_t> bytes, MessageSink& sink) {
  if (writeWholeFile(path, bytes)) return path;
  sink.show({"File Write Error", "Error writing output file, Disk may be full or write protected", MessageIcon::Error});
  return std::nullopt;
}

}  // namespace

std::optional<std::string> saveAssetPicture(const std::string& svg, const std::string& chosenName,
                                            const std::string& extension, MessageSink& sink) {
  const std::string path = normaliseChosenName(chosenName, extension, {".svg", ".png"});
  if (objectFileExtension(path) != ".png") {
    return writeSaved(path, {reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()}, sink);
  }
  const RasterResult raster = rasterizeSvg(svg);
  if (raster.png.empty()) {
    sink.show({"Orvane", "The picture could not be drawn: " + raster.error, MessageIcon::Error});
    return std::nullopt;
  }
  return writeSaved(path, raster.png, sink);
}

std::optional<std::string> saveFontFile(const FontFile& file, const std::string& chosenName, MessageSink& sink) {
  if (file.bytes.empty()) {
    sink.show({"Orvane", "This font holds no font data to save", MessageIcon::Error});
    return std::nullopt;
  }
  return writeSaved(normaliseChosenName(chosenName, file.extension, {file.extension}), file.bytes, sink);
}

}  // namespace orvane
