// What every verb of the command-line tool shares: the global options, the temp folder,
// the message sink and the output streams.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "movie/ObjectFileWriter.h"
#include "movie/ScanResult.h"
#include "movie/ScanStatus.h"
#include "movie/TagWalker.h"
#include "objects/PreservedForms.h"
#include "platform/MessageSink.h"

namespace orvane {

/// Exit statuses of the tool.
namespace exitcode {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
}  // namespace exitcode

class CliContext {
 public:
  CliContext(std::ostream& out, std::ostream& err, MessageSink& sink) : m_out(out), m_err(err), m_sink(sink) {}
  ~CliContext();
  CliContext(const CliContext&) = delete;
  CliContext& operator=(const CliContext&) = delete;

  std::ostream& out() { return m_out; }
  std::ostream& err() { return m_err; }
  MessageSink& sink() { return m_sink; }

  std::uint32_t flags = 0xFFF;
  /// The folder given with --temp; empty for a fresh private folder removed at exit.
  std::string requestedTemp;

  /// The temp folder of this run, made on first use; none (with a message) on failure.
  std::optional<std::string> tempFolder();

  /// Opens and scans a movie into `result` with the real object file writers, then lists
  /// the scripts and classes of its ABC tags. Shows the status message of a failure through
  /// the sink.
  [[nodiscard]] ScanStatus scanMovie(const std::string& path, ScanResult& result);
  /// The movie of the last scan, as it was walked (empty before the first).
  PreservationSource scannedMovie() const;

  /// Writes a usage error line and returns the usage exit status.
  int usage(const std::string& text);

 private:
  std::ostream& m_out;
  std::ostream& m_err;
  MessageSink& m_sink;
  std::string m_tempFolder;
  bool m_removeTemp = false;
  std::unique_ptr<ObjectFileWriter> m_writer;
  std::unique_ptr<TagWalker> m_walker;
};

/// Shows the box the desktop program shows for a status that ends a scan.
void reportScanStatus(MessageSink& sink, ScanStatus status, const std::string& errorText);

}  // namespace orvane
