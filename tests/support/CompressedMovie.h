// Compressed test movies made with zlib itself, independent of the code under test.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane::test {

/// The zlib stream of `data` at zlib's default level.
std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& data);

/// `movie` (an FWS movie) stored as a CWS movie: its header with the signature "CWS", then
/// the zlib stream of everything after the header.
std::vector<std::uint8_t> cwsMovie(const std::vector<std::uint8_t>& movie);

}  // namespace orvane::test
