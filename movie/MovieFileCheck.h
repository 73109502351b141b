// Checks that a movie on disk is still the one a scan read before it is rewritten.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

#include "movie/TagHeader.h"

namespace orvane {

class ScanResult;

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
