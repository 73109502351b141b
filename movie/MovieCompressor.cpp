#include "movie/MovieCompressor.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <new>

#include "movie/SwfMovie.h"
#include "platform/FileTools.h"

namespace orvane {

namespace {

constexpr std::size_t kHeaderSize = SwfMovie::kHeaderStart;
constexpr std::size_t kLzmaPropertiesSize = 5;
constexpr std::size_t kLzmaDataAt = kHeaderSize + 4 + kLzmaPropertiesSize;

void putU32(std::uint8_t* at, std::uint64_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool deflateBody(std::span<const std::uint8_t> body, std::vector<std::uint8_t>& file) {
  uLongf length = compressBound(static_cast<uLong>(body.size()));
  file.resize(kHeaderSize + length);
  if (compress2(file.data() + kHeaderSize, &length, body.data(), static_cast<uLong>(body.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    return false;
  file.resize(kHeaderSize + length);
  return true;
}

bool lzmaBody(std::span<const std::uint8_t> body, std::vector<std::uint8_t>& file) {
  lzma_options_lzma options{};
  if (lzma_lzma_preset(&options, 9)) return false;
  // A dictionary larger than the body is never used, and a reader would still allocate it.
  options.dict_size = static_cast<std::uint32_t>(
      std::clamp<std::uint64_t>(body.size(), LZMA_DICT_SIZE_MIN, options.dict_size));
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  file.resize(kLzmaDataAt + lzma_stream_buffer_bound(body.size()));
  if (lzma_properties_encode(&filters[0], file.data() + kHeaderSize + 4) != LZMA_OK) return false;
  std::size_t written = 0;
  if (lzma_raw_buffer_encode(filters, nullptr, body.data(), body.size(), file.data() + kLzmaDataAt, &written,
                             file.size() - kLzmaDataAt) != LZMA_OK ||
      written > UINT32_MAX)
    return false;
  putU32(file.data() + kHeaderSize, written);
  file.resize(kLzmaDataAt + written);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> compressMovieImage(std::span<const std::uint8_t> image,
                                                            MovieCompression compression) {
  if (image.size() < kHeaderSize) return std::nullopt;
  std::vector<std::uint8_t> file;
  try {
    if (compression == MovieCompression::None) return std::vector<std::uint8_t>(image.begin(), image.end());
    const auto body = image.subspan(kHeaderSize);
    if (!(compression == MovieCompression::Zlib ? deflateBody(body, file) : lzmaBody(body, file))) return std::nullopt;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  std::copy(image.begin(), image.begin() + kHeaderSize, file.begin());
  file[0] = compression == MovieCompression::Zlib ? 'C' : 'Z';
  return file;
}

bool compressMovieFile(const std::string& path, MovieCompression compression) {
  if (compression == MovieCompression::None) return true;
  MovieSource source;
  if (source.load(path) != ScanStatus::Success) return false;
  const auto file = compressMovieImage(source.image(), compression);
  if (!file) return false;
  FileHandle out = createFileNoFollow(path);
  if (!out) return false;
  const bool written = std::fwrite(file->data(), 1, file->size(), out.get()) == file->size();
  return closeFile(out) && written;
}

}  // namespace orvane
