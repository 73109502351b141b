// Storing an uncompressed movie image with the compression of a CWS or ZWS file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "movie/MovieSource.h"

namespace orvane {

/// The file bytes of `image` (a whole FWS image, at least its 8 header bytes) stored with
/// `compression`: its header with the signature of that compression (version and declared
/// length kept), then the body as a zlib stream at the best compression, or, for LZMA, the
/// length of the LZMA data, the 5 LZMA properties and the data with its end marker. None
/// compression gives the image itself. None when memory runs out.
std::optional<std::vector<std::uint8_t>> compressMovieImage(std::span<const std::uint8_t> image,
                                                            MovieCompression compression);

/// Rewrites the complete FWS movie at `path` in place with `compression` (nothing to do
/// for none). False when it cannot be read, compressed or written; the file is then not
/// to be used.
[[nodiscard]] bool compressMovieFile(const std::string& path, MovieCompression compression);

}  // namespace orvane
