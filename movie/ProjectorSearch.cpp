#include "movie/ProjectorSearch.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "movie/MovieSource.h"
#include "movie/ZlibInflaters.h"
#include "platform/DefaultApplication.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr std::uint32_t kSmallestMovie = 26;
constexpr std::int32_t kFirstCompressedVersion = 6;
constexpr std::int32_t kLastCompressedVersion = 50;
constexpr const char* kOpenForScanFailed = "Error : Unable to open source file for scanning";
constexpr const char* kNothingFound = "No Valid SWF files Found in EXE file";
constexpr const char* kNoSelection = "Error : No Scan Result Selected";
constexpr const char* kNotFoundForSave = "Error : Unable to find scan object, Please re-scan the file";
constexpr const char* kNotFoundForScan = "Error : Unable to find scan object, Unable to continue the file";
constexpr const char* kNameTooShort = "Error, save path to short or not valid";
constexpr const char* kSourceFailed = "Error : I\\O source File could not be open for reading";
constexpr const char* kDestinationFailed =
    "Error : I\\O destination File could not be open for writing, disk may be full or write preotected";
constexpr const char* kNoFile = "Error : Unable to find file";
constexpr const char* kCannotExecute = "Error : Unable to execute file, please open the file through explorer";
constexpr const char* kTempFailed = "Error Creating Temp File, Unable to continue";
constexpr const char* kTempName = "orvnTMP.swf";

/// Hands out the bytes of a file one by one from a fixed block.
class ByteStream {
 public:
  explicit ByteStream(std::FILE* file) : m_file(file) {}
  bool next(std::uint8_t& byte) {
    if (m_next == m_filled) {
      m_filled = std::fread(m_block.data(), 1, m_block.size(), m_file);
      m_next = 0;
      if (m_filled == 0) return false;
    }
    byte = m_block[m_next++];
    ++m_offset;
    return true;
  }
  std::uint64_t offset() const { return m_offset; }

 private:
  std::FILE* m_file;
  std::array<std::uint8_t, 64 * 1024> m_block;
  std::size_t m_filled = 0;
  std::size_t m_next = 0;
  std::uint64_t m_offset = 0;
};

/// The bytes a "CWS" header and its stream take in the file, when it is a plausible
/// compressed movie: a version of 6 to 50, a declared length of at most 1 GiB, and a zlib
/// stream that inflates cleanly to exactly that length. The file is read through a handle
/// of its own, so the search goes on where it was.
std::optional<std::uint32_t> compressedCandidateSize(const std::string& path, const MovieCandidate& candidate) {
  if (candidate.version < kFirstCompressedVersion || candidate.version > kLastCompressedVersion ||
      candidate.size > MovieSource::kLargestImage)
    return std::nullopt;
  FileHandle file = openFile(path, "rb");
  if (!file || std::fseek(file.get(), static_cast<long>(candidate.position) + 8, SEEK_SET) != 0) return std::nullopt;
  const auto stream = zlibStreamLength(file.get(), candidate.size - 8u);
  if (!stream || *stream > UINT32_MAX - 8u) return std::nullopt;
  return static_cast<std::uint32_t>(*stream + 8);
}

}  // namespace

bool findMovieCandidates(const std::string& path, std::vector<MovieCandidate>& candidates) {
  candidates.clear();
  FileHandle file = openFile(path, "rb");
  if (!file) return false;
  ByteStream stream(file.get());
  // "F" or "C", then "W" and "S": four different letters, so a failed match can only
  // restart at the current byte: at an "F" or a "C" it is the first letter again.
  unsigned matched = 0;
  bool compressed = false;
  std::uint8_t byte = 0;
  while (stream.next(byte)) {
    if (matched == 1 && byte == 'W') {
      matched = 2;
      continue;
    }
    if (matched != 2 || byte != 'S') {
      matched = byte == 'F' || byte == 'C' ? 1 : 0;
      compressed = byte == 'C';
      continue;
    }
    matched = 0;
    const std::uint64_t position = stream.offset() - 3;
    std::array<std::uint8_t, 5> fields{};
    std::size_t got = 0;
    while (got < fields.size() && stream.next(fields[got])) ++got;
    if (got < fields.size()) break;  // the version or length is cut off by the end of the file
    const std::uint32_t size = static_cast<std::uint32_t>(fields[1]) | (static_cast<std::uint32_t>(fields[2]) << 8) |
                               (static_cast<std::uint32_t>(fields[3]) << 16) |
                               (static_cast<std::uint32_t>(fields[4]) << 24);
    // Positions are 32-bit; a header beyond 4 GiB cannot be described and is not listed.
    if (size < kSmallestMovie || position > UINT32_MAX) continue;
    MovieCandidate candidate;
    candidate.version = fields[0];
    candidate.position = static_cast<std::uint32_t>(position);
    candidate.size = size;
    if (compressed) {
      const auto stored = compressedCandidateSize(path, candidate);
      if (!stored) continue;
      candidate.size = *stored;
      candidate.compressed = true;
    } else if (fields[0] < 1 || fields[0] > 5) {
      continue;
    }
    candidate.itemNumber = static_cast<std::int32_t>(candidates.size());
    candidates.push_back(std::move(candidate));
  }
  return std::ferror(file.get()) == 0;
}

std::string withSwfExtension(const std::string& name) {
  const std::size_t tailStart = name.size() > 4 ? name.size() - 4 : 0;
  std::string tail = name.substr(tailStart);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  if (tail.empty() || tail[0] != '.') return name + ".swf";
  if (tail == ".swf") return name;
  return name.substr(0, tailStart) + ".swf";
}

void ProjectorSearch::show(const char* text) { m_sink.show({"", text, MessageIcon::None}); }

bool ProjectorSearch::search(const std::string& executablePath) {
  m_executablePath = executablePath;
  m_candidates.clear();
  if (!findMovieCandidates(executablePath, m_candidates)) {
    m_candidates.clear();
    show(kOpenForScanFailed);
  }
  if (m_candidates.empty()) {
    show(kNothingFound);
    return false;
  }
  return true;
}

MovieCandidate* ProjectorSearch::find(std::optional<std::int32_t> item) {
  if (!item) return nullptr;
  const auto found = std::find_if(m_candidates.begin(), m_candidates.end(),
                                  [&](const MovieCandidate& candidate) { return candidate.itemNumber == *item; });
  return found == m_candidates.end() ? nullptr : &*found;
}

std::vector<std::string> ProjectorSearch::rowTexts(const MovieCandidate& candidate) {
  return {std::to_string(candidate.itemNumber), std::to_string(candidate.version), std::to_string(candidate.position),
          std::to_string(candidate.size)};
}

bool ProjectorSearch::previewEnabled(std::optional<std::int32_t> item) {
  const MovieCandidate* candidate = find(item);
  return candidate != nullptr && candidate->hasSavedFile();
}

MovieCandidate* ProjectorSearch::candidateToSave(std::optional<std::int32_t> item) {
  if (!item) {
    show(kNoSelection);
    return nullptr;
  }
  MovieCandidate* candidate = find(item);
  if (candidate == nullptr) show(kNotFoundForSave);
  return candidate;
}

std::optional<std::string> ProjectorSearch::saveCandidateAs(MovieCandidate& candidate, const std::string& name) {
  if (name.size() < 2) {
    show(kNameTooShort);
    return std::nullopt;
  }
  const std::string destination = withSwfExtension(name);
  if (!copyCandidate(candidate, destination)) return std::nullopt;
  return destination;
}

void ProjectorSearch::previewCandidate(std::optional<std::int32_t> item) {
  const MovieCandidate* candidate = find(item);
  if (candidate == nullptr) return;
  if (!candidate->hasSavedFile()) {
    show(kNoFile);
    return;
  }
  if (!openWithDefaultProgram(candidate->filePath, m_launcher)) show(kCannotExecute);
}

std::optional<std::string> ProjectorSearch::scanCandidate(std::optional<std::int32_t> item,
                                                           const std::string& tempFolder) {
  if (!item) {
    show(kNoSelection);
    return std::nullopt;
  }
  MovieCandidate* candidate = find(item);
  if (candidate == nullptr) {
    show(kNotFoundForScan);
    return std::nullopt;
  }
  if (candidate->hasSavedFile()) return candidate->filePath;
  if (!copyCandidate(*candidate, tempFolder + "/" + kTempName)) {
    show(kTempFailed);
    return std::nullopt;
  }
  return candidate->filePath;
}

bool ProjectorSearch::copyCandidate(MovieCandidate& candidate, const std::string& destination) {
  FileHandle source = openFile(m_executablePath, "rb");
  if (!source) {
    show(kSourceFailed);
    return false;
  }
  // Opening the executable itself for writing would truncate it before the copy.
  if (isSameFile(m_executablePath, destination)) {
    show(kDestinationFailed);
    return false;
  }
  FileHandle target = openFile(destination, "wb");
  if (!target) {
    show(kDestinationFailed);
    return false;
  }
  const bool copied = std::fseek(source.get(), static_cast<long>(candidate.position), SEEK_SET) == 0 &&
                      copyStream(source.get(), target.get(), candidate.size).ok;
  if (!closeFile(target) || !copied) {
    std::remove(destination.c_str());
    show(kDestinationFailed);
    return false;
  }
  candidate.filePath = destination;
  return true;
}

}  // namespace orvane
