#include "movie/SwfMovie.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>

#include "movie/SwfRecords.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::uint32_t declaredMovieLength(const std::uint8_t* header) {
  if (header[0] != 0x46 || header[1] != 0x57 || header[2] != 0x53) return 0;
  return static_cast<std::uint32_t>(header[4]) | (static_cast<std::uint32_t>(header[5]) << 8) |
         (static_cast<std::uint32_t>(header[6]) << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
}

void SwfMovie::forget() {
  std::vector<std::uint8_t>().swap(m_bytes);
  m_reader = BitReader();
  m_fileLength = 0;
  m_version = 0;
  m_width = m_height = 0;
  m_frameRate = 0;
  m_fixedFrameRate = 0;
  m_frameCount = 0;
  m_firstTagOffset = 0;
}

ScanStatus SwfMovie::open(const std::string& path, MessageSink* sink) {
  forget();
  m_path = path;
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    if (sink != nullptr) sink->show({"", path, MessageIcon::None});
    return ScanStatus::OpenError;
  }
  std::uint8_t header[kHeaderStart];
  if (std::fread(header, 1, kHeaderStart, file.get()) != kHeaderStart) return ScanStatus::InvalidFileFormat;
  const std::uint32_t declared = declaredMovieLength(header);
  if (declared < kMinimumLength) return ScanStatus::InvalidFileFormat;

  // The declared length is checked against the real size before anything is allocated, so
  // a tiny file that claims 4 GiB is refused at once.
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) < declared)
    return ScanStatus::InvalidFileFormat;

  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(declared);
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  std::copy(header, header + kHeaderStart, bytes.begin());
  const std::size_t rest = declared - kHeaderStart;
  if (std::fread(bytes.data() + kHeaderStart, 1, rest, file.get()) != rest) return ScanStatus::InvalidFileFormat;
  file.reset();
  return openBytes(std::move(bytes), path);
}

ScanStatus SwfMovie::openBytes(std::vector<std::uint8_t> bytes, const std::string& path) {
  forget();
  m_path = path;
  if (bytes.size() < kMinimumLength || declaredMovieLength(bytes.data()) != bytes.size())
    return ScanStatus::InvalidFileFormat;
  m_bytes = std::move(bytes);
  const ScanStatus status = decodeHeader();
  if (status != ScanStatus::Success) forget();
  return status;
}

ScanStatus SwfMovie::decodeHeader() {
  m_reader = BitReader(m_bytes);
  m_reader.setPosition(kHeaderStart);
  const SwfRect rect = readRect(m_reader);
  const std::uint16_t rate = m_reader.readU16();
  const std::uint16_t frames = m_reader.readU16();
  if (m_reader.exhausted()) return ScanStatus::InvalidFileFormat;

  m_fileLength = static_cast<std::uint32_t>(m_bytes.size());
  m_version = m_bytes[3];
  // 64-bit differences: the corners are full 32-bit values and may lie far apart.
  m_width = static_cast<std::int32_t>((static_cast<std::int64_t>(rect.xMax) - rect.xMin) / 20);
  m_height = static_cast<std::int32_t>((static_cast<std::int64_t>(rect.yMax) - rect.yMin) / 20);
  m_frameRate = rate >> 8;
  m_fixedFrameRate = rate;
  m_frameCount = frames;
  m_firstTagOffset = m_reader.position();
  return ScanStatus::Success;
}

}  // namespace orvane
