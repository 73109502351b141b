#include "movie/MovieSource.h"

#include <lzma.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "movie/SwfMovie.h"
#include "movie/ZlibInflaters.h"
#include "platform/FileTools.h"

namespace orvane {

namespace {

constexpr std::size_t kHeaderSize = SwfMovie::kHeaderStart;
// A ZWS file: the 8 header bytes, the length of the LZMA data, the 5 LZMA properties.
constexpr std::size_t kLzmaLengthAt = 8;
constexpr std::size_t kLzmaPropertiesAt = 12;
constexpr std::size_t kLzmaPropertiesSize = 5;
constexpr std::size_t kLzmaDataAt = kLzmaPropertiesAt + kLzmaPropertiesSize;
// No valid stream for the largest image is much longer than the image itself.
constexpr std::uint64_t kLargestCompressedFile = MovieSource::kLargestImage + MovieSource::kLargestImage / 16;

std::uint32_t readU32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

struct FreeOptions {
  void operator()(void* options) const { std::free(options); }
};

struct LzmaStream {
  lzma_stream stream = LZMA_STREAM_INIT;
  ~LzmaStream() { lzma_end(&stream); }
};

}  // namespace

const char* compressionName(MovieCompression compression) {
  switch (compression) {
    case MovieCompression::Zlib: return "zlib";
    case MovieCompression::Lzma: return "lzma";
    default: return "none";
  }
}

std::optional<MovieCompression> compressionOfSignature(std::span<const std::uint8_t> header) {
  if (header.size() < 3 || header[1] != 'W' || header[2] != 'S') return std::nullopt;
  switch (header[0]) {
    case 'F': return MovieCompression::None;
    case 'C': return MovieCompression::Zlib;
    case 'Z': return MovieCompression::Lzma;
    default: return std::nullopt;
  }
}

void MovieSource::reset() {
  m_compression = MovieCompression::None;
  m_damage.clear();
  std::vector<std::uint8_t>().swap(m_image);
}

ScanStatus MovieSource::damaged(const std::string& what) {
  std::vector<std::uint8_t>().swap(m_image);
  m_damage = "The compressed movie is damaged: " + what;
  return ScanStatus::GeneralError;
}

ScanStatus MovieSource::load(const std::string& path) {
  reset();
  FileHandle file = openFile(path, "rb");
  if (!file) return ScanStatus::OpenError;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return ScanStatus::InvalidFileFormat;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  std::uint8_t header[kHeaderSize];
  if (size < kHeaderSize || std::fread(header, 1, kHeaderSize, file.get()) != kHeaderSize)
    return ScanStatus::InvalidFileFormat;
  const auto compression = compressionOfSignature(header);
  if (!compression) return ScanStatus::InvalidFileFormat;

  // Only the declared length of an FWS file is read, and a compressed file only as far as
  // a stream for the largest image can reach; the length is checked against the real size
  // before anything is allocated.
  std::uint64_t wanted = 0;
  if (*compression == MovieCompression::None) {
    wanted = readU32(header + 4);
    if (wanted < SwfMovie::kMinimumLength || size < wanted) return ScanStatus::InvalidFileFormat;
  } else {
    wanted = std::min(size, kLargestCompressedFile);
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  std::copy(header, header + kHeaderSize, bytes.begin());
  const std::size_t rest = bytes.size() - kHeaderSize;
  if (std::fread(bytes.data() + kHeaderSize, 1, rest, file.get()) != rest) return ScanStatus::InvalidFileFormat;
  file.reset();
  if (*compression == MovieCompression::None) {
    m_image = std::move(bytes);
    return ScanStatus::Success;
  }
  return decodeCompressed(bytes);
}

ScanStatus MovieSource::decode(std::span<const std::uint8_t> file) {
  reset();
  const auto compression = compressionOfSignature(file);
  if (file.size() < kHeaderSize || !compression) return ScanStatus::InvalidFileFormat;
  if (*compression != MovieCompression::None) return decodeCompressed(file);
  const std::uint32_t declared = readU32(file.data() + 4);
  if (declared < SwfMovie::kMinimumLength || file.size() < declared) return ScanStatus::InvalidFileFormat;
  try {
    m_image.assign(file.begin(), file.begin() + declared);
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  return ScanStatus::Success;
}

ScanStatus MovieSource::allocateImage(std::span<const std::uint8_t> header) {
  const std::uint32_t declared = readU32(header.data() + 4);
  if (declared < kHeaderSize)
    return damaged("its header declares a length of " + std::to_string(declared) +
                   ", less than the 8 bytes of the header itself");
  if (declared > kLargestImage)
    return damaged("its header declares a length of " + std::to_string(declared) + ", more than 1 GiB");
  try {
    m_image.resize(declared);
  } catch (const std::bad_alloc&) {
    return ScanStatus::MemoryError;
  }
  std::copy(header.begin(), header.begin() + kHeaderSize, m_image.begin());
  m_image[0] = 'F';
  return ScanStatus::Success;
}

ScanStatus MovieSource::decodeCompressed(std::span<const std::uint8_t> file) {
  m_compression = *compressionOfSignature(file);
  if (const ScanStatus allocated = allocateImage(file.first(kHeaderSize)); allocated != ScanStatus::Success)
    return allocated;
  return m_compression == MovieCompression::Zlib ? inflateBody(file.subspan(kHeaderSize)) : decodeLzmaBody(file);
}

ScanStatus MovieSource::inflateBody(std::span<const std::uint8_t> stream) {
  const std::span<std::uint8_t> body(m_image.data() + kHeaderSize, m_image.size() - kHeaderSize);
  Inflated inflated = inflateWithLibdeflate(stream, body);
  // libdeflate does not tell a cut-off stream from a corrupt one; zlib does.
  if (inflated.outcome == InflateOutcome::Corrupt) inflated = inflateWithZlib(stream, body);
  switch (inflated.outcome) {
    case InflateOutcome::Complete: return ScanStatus::Success;
    case InflateOutcome::EndsEarly: return damaged("the zlib stream ends before the declared length");
    case InflateOutcome::RunsPast: return damaged("the zlib stream runs past the declared length");
    case InflateOutcome::Truncated: return damaged("the file ends inside the zlib stream");
    case InflateOutcome::OutOfMemory:
      std::vector<std::uint8_t>().swap(m_image);
      return ScanStatus::MemoryError;
    default: return damaged("the zlib stream is corrupt (" + inflated.detail + ")");
  }
}

ScanStatus MovieSource::decodeLzmaBody(std::span<const std::uint8_t> file) {
  if (file.size() < kLzmaDataAt) return damaged("the file ends inside its LZMA header");
  const std::uint32_t dataLength = readU32(file.data() + kLzmaLengthAt);
  if (dataLength != file.size() - kLzmaDataAt)
    return damaged("its header gives " + std::to_string(dataLength) + " bytes of LZMA data, the file holds " +
                   std::to_string(file.size() - kLzmaDataAt));

  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  if (lzma_properties_decode(&filters[0], nullptr, file.data() + kLzmaPropertiesAt, kLzmaPropertiesSize) != LZMA_OK)
    return damaged("its LZMA properties are invalid");
  const std::unique_ptr<lzma_options_lzma, FreeOptions> options(static_cast<lzma_options_lzma*>(filters[0].options));
  if (options->dict_size > kLargestDictionary)
    return damaged("its LZMA dictionary of " + std::to_string(options->dict_size) + " bytes is larger than 256 MiB");
  const std::uint64_t expected = m_image.size() - kHeaderSize;
  // The dictionary need never be larger than the whole output.
  options->dict_size = static_cast<std::uint32_t>(std::clamp<std::uint64_t>(expected, LZMA_DICT_SIZE_MIN, options->dict_size));
  // Movies write the stream with or without an end marker after the declared length.
  filters[0].id = LZMA_FILTER_LZMA1EXT;
  options->ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
  lzma_set_ext_size(*options, expected);

  LzmaStream lzma;
  if (lzma_raw_decoder(&lzma.stream, filters) != LZMA_OK) return damaged("its LZMA properties are invalid");
  lzma.stream.next_in = file.data() + kLzmaDataAt;
  lzma.stream.avail_in = dataLength;
  lzma.stream.next_out = m_image.data() + kHeaderSize;
  lzma.stream.avail_out = expected;
  lzma_ret status = LZMA_OK;
  while (status == LZMA_OK) status = lzma_code(&lzma.stream, LZMA_FINISH);
  switch (status) {
    case LZMA_STREAM_END:
      if (lzma.stream.avail_out != 0) return damaged("the LZMA stream ends before the declared length");
      if (lzma.stream.avail_in != 0) return damaged("the LZMA stream runs past the declared length");
      return ScanStatus::Success;
    case LZMA_BUF_ERROR:
      return damaged(lzma.stream.avail_in == 0 ? "the file ends inside the LZMA stream"
                                               : "the LZMA stream runs past the declared length");
    case LZMA_MEM_ERROR:
      std::vector<std::uint8_t>().swap(m_image);
      return ScanStatus::MemoryError;
    case LZMA_DATA_ERROR:
      // Once the declared length is reached only an end marker may follow.
      if (lzma.stream.avail_out == 0) return damaged("the LZMA stream runs past the declared length");
      return damaged("the LZMA stream is corrupt");
    default:
      return damaged("the LZMA stream is corrupt");
  }
}

}  // namespace orvane
