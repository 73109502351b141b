#include "objects/ExtractionRun.h"

#include <filesystem>
#include <set>
#include <string_view>

#include "abcsource/AbcSourceTree.h"
#include "abcsource/AbcTexts.h"
#include "movie/ScanResult.h"
#include "objects/ActionTextWriter.h"
#include "objects/AssetExtraction.h"
#include "objects/ObjectSaving.h"
#include "platform/FileTools.h"

namespace orvane {

namespace {

std::string ownName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string actionFileName(const char* prefix, const MovieObject& object, ExtractionMode mode) {
  return prefix + std::to_string(object.frame) + " tag " + std::to_string(object.characterId) + actionTextExtension(mode);
}

constexpr std::string_view kUnsafeInFileNames = "/\\:*?\"<>|";

/// The file name of an ActionScript 3 object without extension: the qualified class name with
/// "." for "::" ("Script %d" for a script), with characters that a file name cannot hold
/// (or should not: separators, control characters) replaced by "_", cut at 200 bytes.
std::string abcFileName(const AbcObject& object) {
  if (object.kind == AbcObject::Kind::Script) return "Script " + std::to_string(object.scriptNumber);
  std::string name;
  for (std::size_t i = 0; i < object.className.size() && name.size() < 200; ++i) {
    const char c = object.className[i];
    if (c == ':' && i + 1 < object.className.size() && object.className[i + 1] == ':') {
      name += '.';
      ++i;
    } else if (static_cast<unsigned char>(c) < 0x20 || kUnsafeInFileNames.find(c) != std::string_view::npos) {
      name += '_';
    } else {
      name += c;
    }
  }
  return name.empty() ? "Class" : name;
}

class ExtractionRun {
 public:
  ExtractionRun(const ScanResult& result, const ExtractionSettings& settings, MessageSink& sink,
                const ExtractionProgress& progress, const PreservationSource& source, const std::string& scratchFolder)
      : m_result(result),
        m_settings(settings),
        m_sink(sink),
        m_progress(progress),
        m_preserved(source),
        m_assets(result, source, settings.assets, scratchFolder) {}

  std::string run() {
    m_report = "\n Extraction Report\n-----------------------\nExtraction Directory : " + m_settings.directory + " \n";
    std::string directory = m_settings.directory;
    if (!directory.empty() && directory.back() != '/') directory += '/';
    m_total = countObjects();
    for (const auto& timeline : m_result.timelines()) extractTimeline(*timeline, directory);
    m_report += "\n Finished Extraction";
    writeReport(directory + kExtractionReportName);
    return m_report;
  }

 private:
  std::size_t countObjects() const {
    std::size_t total = 0;
    for (const auto& timeline : m_result.timelines()) {
      if (m_settings.images) total += timeline->imageCount();
      if (m_settings.sounds) total += timeline->soundCount();
      if (m_settings.actions)
        total += timeline->actionCount() + timeline->initActionCount() + timeline->abcObjectCount();
      if (m_settings.buttons) total += timeline->buttonCount();
      if (extractsVideos()) total += timeline->videoCount();
      total += m_assets.count(*timeline);
    }
    return total;
  }

  void extractTimeline(const TimelineNode& timeline, const std::string& directory) {
    std::string folder = directory + timeline.displayName(false);
    std::error_code ignored;  // the copies below report a folder that could not be made
    std::filesystem::create_directories(folder, ignored);
    folder += '/';
    if (m_settings.images) {
      m_report += "\n- Extracting Images - \n";
      for (const auto& image : timeline.images) {
        if (image->viewable) copyFile(image->tempFilePath, folder);
        preserve(*image, folder);
        advance();
      }
    }
    if (m_settings.sounds) {
      m_report += "\n- Extracting Sounds - \n";
      for (const auto& sound : timeline.sounds) {
        if (sound->hasFile) copyFile(sound->tempFilePath, folder);
        preserve(*sound, folder);
        advance();
      }
    }
    if (extractsVideos()) {
      m_report += "\n- Extracting Videos - \n";
      for (const auto& video : timeline.videos) {
        preserve(*video, folder);
        advance();
      }
    }
    if (m_settings.actions) {
      m_report += std::string("\n- Exracting Action Scripts - As ") + extractionModeLabel(m_settings.mode);
      for (const auto& action : timeline.actions)
        writeAction(*action, folder + actionFileName("Action_In_Frame", *action, m_settings.mode));
      for (const auto& action : timeline.initActions) {
        writeAction(*action, folder + actionFileName("InitAction_In_Frame", *action, m_settings.mode));
      }
      extractAbc(timeline, folder);
    }
    if (m_settings.buttons) {
      m_report += std::string("\n- Exracting Button Action Scripts - As ") + extractionModeLabel(m_settings.mode);
      for (const auto& button : timeline.buttons) {
        const std::string path = folder + actionFileName("ButtonAction_In_Frame", *button, m_settings.mode);
        m_report += path + "Translating And Extracing...";
        const bool written = WriteButtonActionText(button.get(), path, m_settings.mode, true, m_sink);
        m_report += written ? " Success\n" : " Failed\n";
        advance();
      }
    }
    m_assets.extract(timeline, folder, m_report, [this] { advance(); });
  }

  /// The ActionScript 3 scripts and classes into the sub-folder "ActionScript 3", one file each;
  /// a name that an earlier object of the run took gets the object's serial after it. The
  /// source is the timeline's source tree under "ActionScript 3/src" instead.
  void extractAbc(const TimelineNode& timeline, const std::string& folder) {
    if (timeline.abcObjects.empty()) return;
    const std::string abcFolder = folder + "ActionScript 3/";
    std::error_code ignored;  // a folder that could not be made fails each file below
    std::filesystem::create_directories(abcFolder, ignored);
    m_report += "\n- Extracting ActionScript 3 - \n";
    if (m_settings.mode == ExtractionMode::Source) {
      extractAbcSource(timeline, abcFolder + "src");
      return;
    }
    AbcTexts texts;
    std::set<std::string> taken;
    for (const auto& object : timeline.abcObjects) {
      std::string name = abcFileName(*object);
      if (!taken.insert(name).second) name += " serial " + std::to_string(object->serial);
      const std::string path = abcFolder + name + ".txt";
      m_report += path + "Disassembling And Extracting...";
      const bool written = WriteAbcText(*object, texts, path, m_settings.mode, true, m_sink);
      m_report += written ? " Success\n" : " Failed\n";
      advance();
    }
  }

  void extractAbcSource(const TimelineNode& timeline, const std::string& root) {
    std::vector<const AbcTag*> tags;
    for (const auto& tag : timeline.abcTags) tags.push_back(tag.get());
    static_cast<void>(AbcSourceTree(std::move(tags)).write(root, [&](const std::string& path, bool written) {
      m_report += root + "/" + path + "Decompiling And Extracting..." + (written ? " Success\n" : " Failed\n");
    }));
    for (std::size_t i = 0; i < timeline.abcObjects.size(); ++i) advance();
  }

  void writeAction(const ActionObject& action, const std::string& path) {
    m_report += path + "Translating And Extracing...";
    const bool written = WriteActionText(&action, path, m_settings.mode, true, m_sink);
    m_report += written ? " Success\n" : " Failed\n";
    advance();
  }

  void copyFile(const std::string& from, const std::string& folder) {
    const std::string to = folder + ownName(from);
    m_report += (copyObjectFile(from, to) ? "OK Copied To " : "!-FAILED Copied To ") + to + " \n";
  }

  bool extractsVideos() const { return m_settings.preserve && m_settings.videos; }

  /// The object's preserved form beside the copies, with its report line.
  template <typename Object>
  void preserve(const Object& object, const std::string& folder) {
    if (!m_settings.preserve) return;
    const std::string name = m_preserved.name(object);
    if (name.empty()) return;
    const std::string to = folder + name;
    m_report += (m_preserved.write(object, to) ? "OK Preserved As " : "!-FAILED Preserved As ") + to + " \n";
  }

  void advance() {
    ++m_done;
    if (m_progress) m_progress(m_done, m_total);
  }

  void writeReport(const std::string& path) const {
    FileHandle file = openFile(path, "w");
    if (!file) return;
    std::fwrite(m_report.data(), 1, m_report.size(), file.get());
    (void)closeFile(file);
  }

  const ScanResult& m_result;
  const ExtractionSettings& m_settings;
  MessageSink& m_sink;
  const ExtractionProgress& m_progress;
  PreservedForms m_preserved;
  AssetExtraction m_assets;
  std::string m_report;
  std::size_t m_total = 0;
  std::size_t m_done = 0;
};

}  // namespace

std::string ExtractAllObjects(const ScanResult& result, const ExtractionSettings& settings, MessageSink& sink,
                              const ExtractionProgress& progress, const PreservationSource& source,
                              const std::string& scratchFolder) {
  return ExtractionRun(result, settings, sink, progress, source, scratchFolder).run();
}

std::vector<std::string> reportDialogLines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = report.find('\n'); end != std::string::npos; end = report.find('\n', start)) {
    lines.push_back(report.substr(start, end - start));
    start = end + 1;
  }
  if (!lines.empty()) lines.front().insert(0, " ");
  return lines;
}

}  // namespace orvane
