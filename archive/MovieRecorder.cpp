#include "archive/MovieRecorder.h"

#include "abc/AbcObjects.h"
#include "archive/ClassRecords.h"
#include "archive/ObjectRecords.h"
#include "movie/MovieSource.h"
#include "movie/ScanOptions.h"
#include "movie/ScanResult.h"
#include "movie/SwfMovie.h"
#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

// The dry-run writers write nothing; the walk only builds names in this folder.
constexpr const char* kNoFolder = "/nonexistent";

/// The fields of the first eight bytes, which every movie has uncompressed.
MovieHeader storedHeader(std::span<const std::uint8_t> bytes) {
  MovieHeader header;
  header.signature.assign(bytes.begin(), bytes.begin() + std::min<std::size_t>(3, bytes.size()));
  const std::optional<MovieCompression> compression = compressionOfSignature(bytes);
  header.compression = compression ? compressionName(*compression) : "";
  if (bytes.size() >= 8) {
    header.version = bytes[3];
    header.fileLength = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::uint32_t>(bytes[7]) << 24;
  }
  return header;
}

/// Records a status other than success: 108 as running out of memory, the others as damage.
void recordFailure(MovieRecord& record, ScanStatus status, const std::string& errorText) {
  record.status = status == ScanStatus::MemoryError ? MovieStatus::Memory : MovieStatus::Damaged;
  record.scanStatus = statusCode(status);
  record.error = formatMessageLine({statusTitle(status), statusText(status, errorText), MessageIcon::Error});
}

std::string messageLines(const RecordingMessageSink& sink) {
  std::string lines;
  for (const Message& message : sink.messages()) lines += (lines.empty() ? "" : "\n") + formatMessageLine(message);
  return lines;
}

}  // namespace

bool opensAsMovie(std::span<const std::uint8_t> bytes) {
  MovieSource source;
  if (source.decode(bytes) != ScanStatus::Success) return false;
  SwfMovie movie;
  return movie.openBytes(source.takeImage(), "") == ScanStatus::Success;
}

MovieRecord recordMovie(std::span<const std::uint8_t> bytes, const std::string& path, std::uint64_t position) {
  MovieRecord record;
  record.position = position;
  record.sha256 = sha256Of(bytes);
  record.header = storedHeader(bytes);

  MovieSource source;
  const ScanStatus decoded = source.decode(bytes);
  if (decoded != ScanStatus::Success) {
    recordFailure(record, decoded, source.damage());
    return record;
  }
  DryRunWriters writers;
  RecordingMessageSink messages;
  TagWalker walker(writers, messages);
  walker.setTempFolder(kNoFolder);
  ScanResult result;
  walker.setResult(&result);
  const ScanStatus opened = walker.openBytes(source.takeImage(), path);
  if (opened != ScanStatus::Success) {
    recordFailure(record, opened, walker.errorText());
    return record;
  }
  const SwfMovie& movie = walker.movie();
  MovieHeader& header = *record.header;
  header.hasStage = true;
  header.width = movie.width();
  header.height = movie.height();
  header.frameRate = movie.fixedFrameRate() / 256.0;
  header.frameCount = movie.frameCount();

  const CounterBase counters{TagWalker::frameActionCounter(), TagWalker::streamSoundCounter()};
  walker.copyHeaderInto(result);
  const ScanStatus scanned = walker.scan(scanflag::kAll);
  collectAbcObjects(result);
  record.scanStatus = statusCode(scanned);
  if (scanned != ScanStatus::Success) recordFailure(record, scanned, walker.errorText());
  record.warnings = messageLines(messages);
  record.objects = objectRecords(result, movie.bytes(), counters);
  record.classes = classRecords(result);
  return record;
}

}  // namespace orvane
