#include "objects/ImageReplacement.h"

#include <cstdio>
#include <new>

#include "movie/MovieCompressor.h"
#include "movie/MovieFileCheck.h"
#include "movie/MovieObject.h"
#include "movie/ScanResult.h"
#include "objects/RgbImage.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr const char* kFailed = "An Error has Occured, Replacement Failed:\n\n";
constexpr const char* kNoMemory = "Not Enough Memory, Close Some Programs to continue";
constexpr const char* kOpenMovieFailed = "Couldn't open orignal swf file for writing";
constexpr const char* kOpenTempFailed = "Couldn't open temp file for writing";
constexpr const char* kMovieChanged = "The SWF File has changed since it was scanned, please scan it again";
constexpr std::uint32_t kFileReadError = 3;
constexpr std::uint16_t kLongLength = 0x3F;

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  putU16(out, value & 0xFFFFu);
  putU16(out, value >> 16);
}

bool isImageTag(std::uint16_t code) {
  return code == tag::kDefineBits || code == tag::kDefineBitsJpeg2 || code == tag::kDefineBitsJpeg3 ||
         code == tag::kDefineBitsLossless || code == tag::kDefineBitsLossless2;
}

/// The tag at the image's offset is still the one the scan found there, with its character id.
bool imageTagMatches(std::FILE* movie, const ImageObject& image) {
  const auto header = readDiskTagHeader(movie, image.headerOffset);
  if (!header || !isImageTag(header->code) || header->length != image.bodyLength || header->bodyEnd != image.bodyEnd)
    return false;
  std::uint8_t id[2];
  return std::fseek(movie, static_cast<long>(header->bodyOffset), SEEK_SET) == 0 && std::fread(id, 1, 2, movie) == 2 &&
         (id[0] | (id[1] << 8)) == image.characterId;
}

bool seekTo(std::FILE* file, std::uint64_t offset) { return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0; }

bool writeAll(std::FILE* file, std::span<const std::uint8_t> bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

/// The two passes; false when a file could not be written completely (nothing reported).
class MovieSplice {
 public:
  MovieSplice(const std::string& moviePath, std::uint8_t version, MovieCompression compression)
      : m_moviePath(moviePath), m_firstPath(moviePath + "t"), m_secondPath(secondTemporaryPath(moviePath)),
        m_version(version), m_compression(compression) {}
  ~MovieSplice() {
    // Only files made here are removed; the second one is gone once it replaced the movie.
    if (m_firstCreated) std::remove(m_firstPath.c_str());
    if (m_secondCreated) std::remove(m_secondPath.c_str());
  }
  MovieSplice(const MovieSplice&) = delete;
  MovieSplice& operator=(const MovieSplice&) = delete;

  bool createFirst() {
    m_first = createFileNoFollow(m_firstPath);
    m_firstCreated = m_first != nullptr;
    return m_firstCreated;
  }

  /// The movie up to the old tag, the new tag, the movie after the old tag. Closes `movie`.
  bool firstPass(DiskMovieImage& movie, const ImageObject& image, std::span<const std::uint8_t> newTag) {
    std::FILE* first = m_first.get();
    bool ok = seekTo(movie.get(), 0) && copyStream(movie.get(), first, image.headerOffset).copied == image.headerOffset;
    ok = ok && writeAll(first, newTag) && seekTo(movie.get(), image.bodyEnd) && copyStream(movie.get(), first).ok;
    const long length = std::ftell(first);
    m_length = ok && length > 0 ? static_cast<std::uint64_t>(length) : 0;
    movie.close();
    return closeFile(m_first) && ok;
  }

  /// The first file with the new signature, version and length in front of its offset 8.
  bool secondPass() {
    // The header's length field is 32-bit.
    if (m_length > UINT32_MAX) return false;
    FileHandle first = openFile(m_firstPath, "rb");
    if (!first) return false;
    FileHandle second = createFileNoFollow(m_secondPath);
    m_secondCreated = second != nullptr;
    if (!second) return false;
    std::vector<std::uint8_t> header = {'F', 'W', 'S', m_version};
    putU32(header, static_cast<std::uint32_t>(m_length));
    const bool ok = seekTo(first.get(), 8) && writeAll(second.get(), header) && copyStream(first.get(), second.get()).ok;
    // The new movie is stored the way the original was.
    return closeFile(second) && ok && compressMovieFile(m_secondPath, m_compression);
  }

  /// Puts the complete second file in the movie's place.
  bool replaceMovie() {
    m_secondCreated = !replaceFile(m_secondPath, m_moviePath);
    return !m_secondCreated;
  }

 private:
  std::string m_moviePath;
  std::string m_firstPath;
  std::string m_secondPath;
  std::uint8_t m_version;
  MovieCompression m_compression;
  FileHandle m_first;
  bool m_firstCreated = false;
  bool m_secondCreated = false;
  std::uint64_t m_length = 0;
};

}  // namespace

std::vector<std::uint8_t> jpeg2TagBytes(std::uint16_t characterId, std::span<const std::uint8_t> jpeg) {
  std::vector<std::uint8_t> out;
  out.reserve(jpeg.size() + 12);
  putU16(out, (static_cast<std::uint32_t>(tag::kDefineBitsJpeg2) << 6) | kLongLength);
  putU32(out, static_cast<std::uint32_t>(jpeg.size() + 6));
  putU16(out, characterId);
  for (const std::uint8_t byte : {0xFF, 0xD9, 0xFF, 0xD8}) out.push_back(byte);
  out.insert(out.end(), jpeg.begin(), jpeg.end());
  return out;
}

std::string secondTemporaryPath(const std::string& moviePath) {
  const std::size_t at = moviePath.size() > 4 ? moviePath.size() - 4 : 0;
  return moviePath.substr(0, at) + "c" + moviePath.substr(at) + "t";
}

bool replaceImage(const std::string& moviePath, const ScanResult& scan, const ImageObject& image,
                  const std::string& picturePath, MessageSink& sink) {
  const auto fail = [&](const std::string& reason) {
    sink.show({"", kFailed + reason, MessageIcon::Error});
    return false;
  };

  RgbImage picture;
  const std::uint32_t loaded = picture.Load(picturePath);
  if (loaded != 0) return fail(RgbImage::ErrorText(loaded));
  // A file of a type the image library cannot read gives no error code and no picture.
  if (!picture.hasPicture()) return fail(RgbImage::ErrorText(kFileReadError));

  std::vector<std::uint8_t> buffer;
  try {
    buffer.resize(static_cast<std::size_t>(picture.width()) * picture.height() + 2000);
  } catch (const std::bad_alloc&) {
    return fail(kNoMemory);
  }
  const std::uint32_t jpegLength = picture.WriteToMemory(buffer, ImageFileType::Jpeg);
  if (jpegLength == 0) return fail(RgbImage::ErrorText(picture.lastError()));

  DiskMovieImage movie;
  if (!movie.open(moviePath)) return fail(kOpenMovieFailed);
  const auto onDisk = readDiskMovieHeader(movie.get());
  if (!onDisk || !matchesScan(*onDisk, scan) || !imageTagMatches(movie.get(), image)) return fail(kMovieChanged);

  MovieSplice splice(moviePath, static_cast<std::uint8_t>(scan.version), movie.compression());
  if (!splice.createFirst()) return fail(kOpenTempFailed);
  const std::vector<std::uint8_t> newTag =
      jpeg2TagBytes(image.characterId, std::span<const std::uint8_t>(buffer.data(), jpegLength));
  std::vector<std::uint8_t>().swap(buffer);
  if (!splice.firstPass(movie, image, newTag) || !splice.secondPass() || !splice.replaceMovie()) return false;

  sink.show({"Orvane - Image Replacement Finished", "The SWF File Will Now Need to be re-scanned",
             MessageIcon::Information});
  return true;
}

}  // namespace orvane
