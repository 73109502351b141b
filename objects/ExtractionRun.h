// "Extract All Objects": every selected object of a scan copied or written into one folder
// per timeline, with the report text, the report file and the report dialog's lines.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "objects/ExtractionMode.h"
#include "objects/PreservedForms.h"

namespace orvane {

class MessageSink;
class ScanResult;

/// The kinds of vector assets an extraction writes; none unless asked for ("Vector assets",
/// `extract --assets` or `--only`), so the extraction is otherwise unchanged.
struct AssetKinds {
  bool shapes = false;
  bool morphShapes = false;
  bool fonts = false;
  bool texts = false;
  bool frames = false;

  static AssetKinds all() { return {true, true, true, true, true}; }
  bool any() const { return shapes || morphShapes || fonts || texts || frames; }
};

/// The extraction settings dialog's choices; all groups are checked and ActionScript 5 is
/// chosen when the dialog opens.
struct ExtractionSettings {
  std::string directory;
  bool images = true;
  bool sounds = true;
  bool actions = true;
  bool buttons = true;
  ExtractionMode mode = ExtractionMode::ActionScript5;
  /// "Preserve originals": each image and sound also gets its preserved form where it has
  /// one, and the video streams are written (when `videos` is set). Off when the dialog opens.
  bool preserve = false;
  bool videos = true;
  AssetKinds assets;
};

/// Told after each object with the number done and the number the run will handle.
using ExtractionProgress = std::function<void(std::size_t done, std::size_t total)>;

/// The name of the report file in the extraction directory.
inline constexpr const char* kExtractionReportName = "Extraction Report Log.txt";

/// Runs the extraction and returns the report text. Every failure becomes a report line
/// and the run goes on; action texts are written with errors shown through `sink`. The
/// report is also written to the directory's "Extraction Report Log.txt" (skipped silently
/// when that cannot be written). Preserved forms and vector assets are made from `source`,
/// the movie the scan walked; the bitmaps that shapes and frames fill with are decoded in
/// `scratchFolder` (the scan's temporary folder; empty: those fills are left out).
std::string ExtractAllObjects(const ScanResult& result, const ExtractionSettings& settings, MessageSink& sink,
                              const ExtractionProgress& progress = {}, const PreservationSource& source = {},
                              const std::string& scratchFolder = {});

/// The report dialog's list entries: one per piece of the report before each line feed,
/// the first with one blank in front; the text after the last line feed is not shown.
std::vector<std::string> reportDialogLines(const std::string& report);

}  // namespace orvane
