// Checks that a movie on disk is still the one a scan read before it is rewritten.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "movie/MovieSource.h"
#include "movie/TagHeader.h"
#include "platform/FileTools.h"

namespace orvane {

class ScanResult;

/// The movie file on disk, read as its uncompressed image: an FWS file (or anything that
/// is no compressed movie) as it is, a CWS or ZWS file decoded into memory and read from
/// there. A compressed file that no longer decodes is read as it is, so that the check
/// against the scan fails.
class DiskMovieImage {
 public:
  /// False when the file cannot be opened.
  [[nodiscard]] bool open(const std::string& path);
  std::FILE* get() const { return m_file.get(); }
  /// How the file is stored; a rewrite writes it back the same way.
  MovieCompression compression() const { return m_compression; }
  void close();

 private:
  std::vector<std::uint8_t> m_image;
  FileHandle m_file;
  MovieCompression m_compression = MovieCompression::None;
};

struct DiskMovieHeader {
  std::uint8_t version = 0;
  std::uint32_t declaredLength = 0;
  std::uint32_t headerLength = 0;  // signature through frame count
};

/// Reads the header at the start of the stream; none when it is not a complete "FWS"
/// header. The stream position is left undefined.
std::optional<DiskMovieHeader> readDiskMovieHeader(std::FILE* file);

/// True when the header on disk has the version, length and header length of the scan.
bool matchesScan(const DiskMovieHeader& header, const ScanResult& scan);

/// Reads the tag header at `offset`; none when it does not fit in the file.
std::optional<TagHeader> readDiskTagHeader(std::FILE* file, std::uint32_t offset);

}  // namespace orvane
