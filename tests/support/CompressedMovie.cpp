#include "tests/support/CompressedMovie.h"

#include <zlib.h>

namespace orvane::test {

std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    return {};
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> cwsMovie(const std::vector<std::uint8_t>& movie) {
  std::vector<std::uint8_t> cws(movie.begin(), movie.begin() + 8);
  cws[0] = 'C';
  const std::vector<std::uint8_t> body = zlibCompress(std::vector<std::uint8_t>(movie.begin() + 8, movie.end()));
  cws.insert(cws.end(), body.begin(), body.end());
  return cws;
}

}  // namespace orvane::test
