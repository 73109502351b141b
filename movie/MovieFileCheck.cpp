#include "movie/MovieFileCheck.h"

#include <array>

#include "movie/ScanResult.h"
#include "movie/SwfMovie.h"
#include "movie/SwfRecords.h"

namespace orvane {

bool DiskMovieImage::open(const std::string& path) {
  close();
  m_file = openFile(path, "rb");
  if (!m_file) return false;
  std::uint8_t signature[3] = {};
  const std::size_t got = std::fread(signature, 1, sizeof signature, m_file.get());
  const auto compression = compressionOfSignature(std::span<const std::uint8_t>(signature, got));
  if (compression && *compression != MovieCompression::None) {
    MovieSource source;
    if (source.load(path) == ScanStatus::Success) {
      m_image = source.takeImage();
      if (FileHandle image{fmemopen(m_image.data(), m_image.size(), "rb")}) {
        m_file = std::move(image);
        m_compression = *compression;
      }
    }
  }
  return std::fseek(m_file.get(), 0, SEEK_SET) == 0;
}

void DiskMovieImage::close() {
  m_file.reset();
  std::vector<std::uint8_t>().swap(m_image);
  m_compression = MovieCompression::None;
}

std::optional<DiskMovieHeader> readDiskMovieHeader(std::FILE* file) {
  // The longest header: 8 bytes, a RECT of 5 + 4 x 31 bits (17 bytes), rate and count.
  std::array<std::uint8_t, 29> bytes{};
  if (std::fseek(file, 0, SEEK_SET) != 0) return std::nullopt;
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  if (got < SwfMovie::kHeaderStart) return std::nullopt;
  const std::uint32_t declared = declaredMovieLength(bytes.data());
  if (declared == 0) return std::nullopt;
  BitReader reader(std::span<const std::uint8_t>(bytes.data(), got));
  reader.setPosition(SwfMovie::kHeaderStart);
  static_cast<void>(readRect(reader));
  reader.readU16();
  reader.readU16();
  if (reader.exhausted()) return std::nullopt;
  return DiskMovieHeader{bytes[3], declared, reader.position()};
}

bool matchesScan(const DiskMovieHeader& header, const ScanResult& scan) {
  return header.version == (scan.version & 0xFFu) && header.declaredLength == scan.fileLength &&
         header.headerLength == scan.headerLength;
}

std::optional<TagHeader> readDiskTagHeader(std::FILE* file, std::uint32_t offset) {
  std::array<std::uint8_t, 6> bytes{};
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return std::nullopt;
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  BitReader reader(std::span<const std::uint8_t>(bytes.data(), got));
  TagHeader header = readTagHeader(reader);
  if (reader.exhausted()) return std::nullopt;
  header.headerOffset += offset;
  header.bodyOffset += offset;
  header.bodyEnd += offset;
  return header;
}

}  // namespace orvane
