#include "movie/SwfMovie.h"

#include "movie/SwfRecords.h"
#include "platform/MessageSink.h"

namespace orvane {

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
  m_frameRect = SwfRect{};
  m_frameRate = 0;
  m_fixedFrameRate = 0;
  m_frameCount = 0;
  m_firstTagOffset = 0;
  m_compression = MovieCompression::None;
  m_damage.clear();
}

ScanStatus SwfMovie::open(const std::string& path, MessageSink* sink) {
  forget();
  m_path = path;
  MovieSource source;
  const ScanStatus loaded = source.load(path);
  if (loaded == ScanStatus::OpenError && sink != nullptr) sink->show({"", path, MessageIcon::None});
  if (loaded != ScanStatus::Success) {
    m_damage = source.damage();
    return loaded;
  }
  return openBytes(source.takeImage(), path, source.compression());
}

ScanStatus SwfMovie::openBytes(std::vector<std::uint8_t> bytes, const std::string& path,
                               MovieCompression compression) {
  forget();
  m_path = path;
  if (bytes.size() < kMinimumLength || declaredMovieLength(bytes.data()) != bytes.size())
    return ScanStatus::InvalidFileFormat;
  m_bytes = std::move(bytes);
  const ScanStatus status = decodeHeader();
  if (status != ScanStatus::Success) forget();
  if (status == ScanStatus::Success) m_compression = compression;
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
  m_frameRect = rect;
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
