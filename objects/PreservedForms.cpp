#include "objects/PreservedForms.h"

#include <algorithm>
#include <vector>

#include "movie/BitReader.h"
#include "movie/SwfMovie.h"
#include "objects/BinaryFile.h"
#include "objects/JpegAlphaPng.h"
#include "objects/LosslessBitmap.h"
#include "objects/LosslessPng.h"
#include "objects/SoundFlv.h"
#include "objects/VideoFlv.h"
#include "platform/FileTools.h"

namespace orvane {
namespace {

/// The picture data of a DefineBitsJPEG2/3/4 tag and the alpha data behind it.
struct JpegTagParts {
  std::span<const std::uint8_t> image;
  std::span<const std::uint8_t> alpha;
};

JpegTagParts jpegTagParts(const ImageObject& image, std::span<const std::uint8_t> body) {
  BitReader reader(body);
  reader.readU16();
  if (image.typeName == "DefineBitsJPEG2") return {reader.bytesAt(2), {}};
  const std::uint32_t alphaDataOffset = reader.readU32();
  if (image.typeName == "DefineBitsJPEG4") reader.readU16();
  if (reader.exhausted()) return {};
  const std::span<const std::uint8_t> rest = reader.bytesAt(reader.position());
  const std::size_t imageLength = std::min<std::size_t>(alphaDataOffset, rest.size());
  return {rest.first(imageLength), rest.subspan(imageLength)};
}

bool isJpegTag(const ImageObject& image) {
  return image.typeName == "DefineBitsJPEG2" || image.typeName == "DefineBitsJPEG3" ||
         image.typeName == "DefineBitsJPEG4";
}

bool isLossless(const ImageObject& image) {
  return image.typeName == "DefineBitsLossless" || image.typeName == "DefineBitsLossless2";
}

bool startsWith(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

/// ".png" or ".gif" for picture data that is not JPEG but a whole file of its own.
std::string embeddedExtension(std::span<const std::uint8_t> image) {
  if (startsWith(image, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return ".png";
  if (startsWith(image, {'G', 'I', 'F', '8', '9', 'a'}) || startsWith(image, {'G', 'I', 'F', '8', '7', 'a'}))
    return ".gif";
  return "";
}


bool writeBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return false;
  const bool written = file.write(bytes);
  if (file.close() && written) return true;
  std::remove(path.c_str());
  return false;
}

std::string idName(const char* stem, const MovieObject& object, const std::string& extension) {
  return stem + std::to_string(object.characterId) + extension;
}

bool isStream(const SoundObject& sound) { return sound.typeName == "DefineStreamingSound"; }

}  // namespace

PreservationSource PreservationSource::of(const SwfMovie& movie) {
  return PreservationSource{movie.bytes(), movie.fixedFrameRate()};
}

std::span<const std::uint8_t> PreservedForms::bodyOf(const MovieObject& object) const {
  const std::uint64_t start = std::uint64_t{object.bodyEnd} - std::min(object.bodyEnd, object.bodyLength);
  if (object.bodyEnd > m_source.movie.size()) return {};
  return m_source.movie.subspan(static_cast<std::size_t>(start), object.bodyEnd - start);
}

std::string PreservedForms::name(const ImageObject& image) const {
  if (isLossless(image)) return idName("swfextract", image, ".png");
  if (!isJpegTag(image)) return "";
  const JpegTagParts parts = jpegTagParts(image, bodyOf(image));
  if (const std::string own = embeddedExtension(parts.image); !own.empty()) return idName("swfextract", image, own);
  return parts.alpha.empty() ? "" : idName("swfextract", image, ".png");
}

std::string PreservedForms::name(const SoundObject& sound) const {
  if (sound.hasFile || !isFlvOnlySoundFormat(sound.format)) return "";
  if (!isStream(sound)) return idName("swfextract", sound, ".flv");
  return sound.blocks.empty() ? "" : idName("swfSextract", sound, ".flv");
}

std::string PreservedForms::name(const VideoObject& video) const {
  // A stream without frames of its own (played from a file at run time) leaves nothing to keep.
  return video.frames.empty() ? "" : idName("swfextract", video, ".flv");
}

bool PreservedForms::write(const ImageObject& image, const std::string& path) const {
  const std::span<const std::uint8_t> body = bodyOf(image);
  if (isLossless(image)) {
    LosslessData data;
    std::string ignoredError;
    return inflateLossless(body, image.typeName == "DefineBitsLossless" ? 3 : 4, ignoredError, data) ==
               ScanStatus::Success &&
           writeLosslessPng(path, data);
  }
  if (!isJpegTag(image)) return false;
  const JpegTagParts parts = jpegTagParts(image, body);
  if (!embeddedExtension(parts.image).empty()) return writeBytes(path, parts.image);
  // The JPEG as its object file holds it, the tag's tables merged in.
  if (parts.alpha.empty()) return false;
  const std::optional<std::vector<std::uint8_t>> jpeg = readWholeFile(image.tempFilePath);
  return jpeg && writeJpegAlphaPng(path, *jpeg, parts.alpha);
}

bool PreservedForms::write(const SoundObject& sound, const std::string& path) const {
  if (!isStream(sound)) return writeEventSoundFlv(path, bodyOf(sound));
  return writeStreamSoundFlv(path, bodyOf(sound), sound, m_source.movie, m_source.fixedFrameRate);
}

bool PreservedForms::write(const VideoObject& video, const std::string& path) const {
  return writeVideoFlv(path, video, m_source.movie, m_source.fixedFrameRate);
}

}  // namespace orvane
