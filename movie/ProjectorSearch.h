// Movies carried inside projector executables: the byte search for their headers and the
// commands of the projector dialog (save, preview, scan), without the dialog itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class MessageSink;
class ProgramLauncher;

struct MovieCandidate {
  std::int32_t itemNumber = 0;
  std::int32_t version = 0;
  std::uint32_t position = 0;  // offset of the "F" of "FWS" (or the "C" of "CWS") in the executable
  std::uint32_t size = 0;      // the header's file length field; for CWS the bytes of header and stream
  bool compressed = false;     // a "CWS" movie
  std::string filePath = "none";

  /// True once the candidate was copied to a file of its own.
  bool hasSavedFile() const { return !filePath.empty() && filePath != "none"; }
};

/// Searches the file in one sequential pass for "FWS" headers with a version of 1 to 5
/// and a length of at least 26, and for "CWS" headers with a version of 6 to 50, a length
/// of 26 to 1 GiB and a zlib stream that inflates cleanly to that length (read through a
/// second handle); memory use does not grow with the file. False when the file cannot be
/// opened or read.
[[nodiscard]] bool findMovieCandidates(const std::string& path, std::vector<MovieCandidate>& candidates);

/// The ".swf" extension rule: a name whose last four characters are ".swf" (in any case)
/// is kept, another three-letter extension is replaced by ".swf", and any other name gets
/// ".swf" appended.
std::string withSwfExtension(const std::string& name);

/// The logic of the projector dialog. Messages go to the sink as the dialog's plain boxes.
/// The dialog passes the item number read from the selected row, or none without a selection.
class ProjectorSearch {
 public:
  ProjectorSearch(MessageSink& sink, ProgramLauncher& launcher) : m_sink(sink), m_launcher(launcher) {}

  /// Runs the search on opening. False when the dialog is to close at once: the file
  /// could not be read or holds no candidate (both with their messages).
  [[nodiscard]] bool search(const std::string& executablePath);

  const std::string& executablePath() const { return m_executablePath; }
  const std::vector<MovieCandidate>& candidates() const { return m_candidates; }
  /// The candidate with that item number; none without one.
  MovieCandidate* find(std::optional<std::int32_t> item);
  /// The four column texts of a candidate's row.
  static std::vector<std::string> rowTexts(const MovieCandidate& candidate);
  /// Whether "Preview Movie" and "Scan Movie" are enabled for the selected row.
  bool previewEnabled(std::optional<std::int32_t> item);

  /// Steps before the save dialog: the selected candidate, or none with its message shown.
  MovieCandidate* candidateToSave(std::optional<std::int32_t> item);
  /// Steps after the save dialog: checks the chosen name, applies the extension rule and
  /// copies the candidate. The written path, or none (with its message) on failure.
  std::optional<std::string> saveCandidateAs(MovieCandidate& candidate, const std::string& name);
  /// Opens the saved file of the selected candidate with the desktop's default program.
  void previewCandidate(std::optional<std::int32_t> item);
  /// The movie to scan: the candidate's saved file, else a copy named "orvnTMP.swf" in
  /// `tempFolder`. None (with its message) when the dialog stays open.
  std::optional<std::string> scanCandidate(std::optional<std::int32_t> item, const std::string& tempFolder);

  /// Copies the candidate's bytes (fewer when the executable ends first) to `destination`;
  /// on success the candidate's file path becomes `destination`. A destination that is
  /// the executable itself is refused.
  [[nodiscard]] bool copyCandidate(MovieCandidate& candidate, const std::string& destination);

 private:
  void show(const char* text);

  MessageSink& m_sink;
  ProgramLauncher& m_launcher;
  std::string m_executablePath;
  std::vector<MovieCandidate> m_candidates;
};

}  // namespace orvane
