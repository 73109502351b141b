#include <ostream>

#include "cli/DecimalArgument.h"
#include "cli/Verbs.h"
#include "objects/MovieBitmaps.h"
#include "fonts/FontLibrary.h"
#include "platform/FileTools.h"
#include "vector/FrameRenderer.h"
#include "vector/GlyphTextPainter.h"
#include "vector/SvgRasterizer.h"

namespace orvane {

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

/// Writes `bytes` to `path`; false (with a message) when it cannot.
bool writeOutput(CliContext& context, const std::string& path, std::string_view bytes) {
  FileHandle file = openFile(path, "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!closeFile(file) || !written) {
    context.err() << "orvane-cli: cannot write " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int runRender(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--frame=", "--sprite=", "--scale=", "--quality="}, parsed, error))
    return context.usage(error);
  const std::string synopsis = "render takes MOVIE --frame N [--sprite ID] OUT.svg|OUT.png [--scale S]";
  if (parsed.positional.size() != 2 || !parsed.has("--frame")) return context.usage(synopsis);
  const std::string& out = parsed.positional[1];
  const bool png = endsWith(out, ".png");
  if (!png && !endsWith(out, ".svg")) return context.usage("the picture's name ends in .svg or .png");
  std::uint32_t frame = 0;
  if (!parseDecimal(parsed.value("--frame"), frame)) return context.usage("--frame takes a number");
  FrameOptions options;
  if (parsed.has("--scale")) {
    try {
      options.scale = std::stod(parsed.value("--scale"));
    } catch (const std::exception&) {
      options.scale = 0;
    }
    if (!(options.scale > 0 && options.scale <= 20)) return context.usage("--scale takes a number above 0, at most 20");
  }
  const std::string quality = parsed.has("--quality") ? parsed.value("--quality") : "high";
  if (quality != "low" && quality != "high") return context.usage("--quality takes low or high");
  options.antialias = quality == "high";
  if (options.antialias && png) options.bitmapBlocks = kFourSampleScale;

  ScanResult result;
  if (context.scanMovie(parsed.positional[0], result) != ScanStatus::Success) return exitcode::kFailure;
  const TimelineNode* timeline = result.firstTimeline();
  if (parsed.has("--sprite")) {
    std::uint16_t sprite = 0;
    if (!parseDecimal(parsed.value("--sprite"), sprite)) return context.usage("--sprite takes a character id");
    timeline = result.findSpriteTimeline(sprite);
    if (timeline == nullptr) {
      context.err() << "orvane-cli: the movie defines no sprite " << sprite << "\n";
      return exitcode::kFailure;
    }
  }
  const std::uint32_t frames = FrameRenderer::frameCount(*timeline);
  if (frame >= frames) {
    context.err() << "orvane-cli: the timeline has " << frames << (frames == 1 ? " frame" : " frames")
                  << ", counted from 0\n";
    return exitcode::kFailure;
  }
  const auto scratch = context.tempFolder();
  if (!scratch) return exitcode::kFailure;
  const PreservationSource source = context.scannedMovie();
  CharacterLibrary library(result, source.movie);
  MovieBitmaps bitmaps(result, source, *scratch);
  const FontLibrary fonts(result, source.movie);
  const TextAssets texts(source.movie, static_cast<std::uint8_t>(result.version), fonts);
  GlyphTextPainter painter(texts);
  FrameRenderer renderer(library, &bitmaps, &painter);
  const std::string svg = renderer.frameSvg(*timeline, frame, options);
  for (const std::string& note : renderer.notes()) context.err() << "orvane-cli: note: " << note << "\n";
  if (!png) return writeOutput(context, out, svg) ? exitcode::kSuccess : exitcode::kFailure;
  const RasterResult picture =
      rasterizeSvg(svg, 1, options.antialias ? EdgeCoverage::FourSamples : EdgeCoverage::PixelCentres);
  if (picture.png.empty()) {
    context.err() << "orvane-cli: the frame cannot be drawn: " << picture.error << "\n";
    return exitcode::kFailure;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(picture.png.data()), picture.png.size());
  return writeOutput(context, out, bytes) ? exitcode::kSuccess : exitcode::kFailure;
}

}  // namespace orvane
