#include "objects/VideoFlv.h"

#include <array>

#include "movie/BitReader.h"
#include "objects/FlvFile.h"

namespace orvane {
namespace {

constexpr std::uint8_t kSorensonH263 = 2;
constexpr std::uint8_t kScreenVideo = 3;
constexpr std::uint8_t kVp6 = 4;
constexpr std::uint8_t kVp6Alpha = 5;
constexpr std::uint8_t kScreenVideo2 = 6;

constexpr std::size_t kFrameFieldsSize = 4;  // StreamID, FrameNum
constexpr std::size_t kVp6AlphaOffsetSize = 3;

int h263FrameType(std::span<const std::uint8_t> data) {
  BitReader reader(data);
  reader.readUB(17);  // picture start code
  reader.readUB(5);   // version
  reader.readUB(8);   // temporal reference
  const std::uint32_t size = reader.readUB(3);
  if (size == 0) reader.readUB(16);  // custom width and height, 8 bits each
  if (size == 1) reader.readUB(32);  // custom width and height, 16 bits each
  const std::uint32_t pictureType = reader.readUB(2);
  if (reader.exhausted()) return flvframe::kInter;
  return pictureType == 0 ? flvframe::kKey : pictureType == 2 ? flvframe::kDisposableInter : flvframe::kInter;
}

/// Screen video frames are a grid of blocks; an inter frame leaves out the blocks that did
/// not change (DataSize 0), and a version 2 block may instead be a difference to, or be
/// compressed against, an earlier frame.
int screenFrameType(std::span<const std::uint8_t> data, bool secondVersion) {
  BitReader reader(data);
  const std::uint32_t blockWidth = (reader.readUB(4) + 1) * 16;
  const std::uint32_t imageWidth = reader.readUB(12);
  const std::uint32_t blockHeight = (reader.readUB(4) + 1) * 16;
  const std::uint32_t imageHeight = reader.readUB(12);
  if (secondVersion) {
    reader.readUB(6);
    const bool interBlocks = reader.readUB(1) == 1;  // HasIFrameImage
    const bool palette = reader.readUB(1) == 1;
    if (interBlocks) return flvframe::kInter;
    if (palette) reader.skip(reader.readUB(16));
  }
  const std::uint64_t blocks = std::uint64_t{(imageWidth + blockWidth - 1) / blockWidth} *
                               ((imageHeight + blockHeight - 1) / blockHeight);
  constexpr std::uint32_t kRefersToEarlier = 0x05;  // HasDiffBlocks, ZlibPrimeCompressPrevious
  for (std::uint64_t block = 0; block < blocks; ++block) {
    const std::uint32_t size = reader.readUB(16);
    if (size == 0 || reader.exhausted()) return flvframe::kInter;
    if (secondVersion && (reader.readUB(8) & kRefersToEarlier) != 0) return flvframe::kInter;
    reader.skip(secondVersion ? size - 1 : size);
  }
  return reader.exhausted() ? flvframe::kInter : flvframe::kKey;
}

/// VP6's first byte: frame mode (0 intra) in its top bit.
int vp6FrameType(std::span<const std::uint8_t> data, std::size_t offset) {
  if (data.size() <= offset) return flvframe::kInter;
  return (data[offset] & 0x80) == 0 ? flvframe::kKey : flvframe::kInter;
}

std::uint8_t vp6Crop(const VideoObject& video) {
  const unsigned horizontal = (16 - video.width % 16) % 16;
  const unsigned vertical = (16 - video.height % 16) % 16;
  return static_cast<std::uint8_t>((horizontal << 4) | vertical);
}

}  // namespace

int videoFrameType(std::uint8_t codecId, std::span<const std::uint8_t> data) {
  switch (codecId) {
    case kSorensonH263: return h263FrameType(data);
    case kScreenVideo: return screenFrameType(data, false);
    case kScreenVideo2: return screenFrameType(data, true);
    case kVp6: return vp6FrameType(data, 0);
    case kVp6Alpha: return vp6FrameType(data, kVp6AlphaOffsetSize);
    default: return flvframe::kInter;
  }
}

std::uint32_t frameMilliseconds(std::uint64_t frameNumber, std::uint16_t fixedFrameRate) {
  const std::uint64_t rate = fixedFrameRate == 0 ? 256 : fixedFrameRate;
  return static_cast<std::uint32_t>(frameNumber * 1000 * 256 / rate);
}

bool writeVideoFlv(const std::string& path, const VideoObject& video, std::span<const std::uint8_t> movie,
                   std::uint16_t fixedFrameRate) {
  FlvFile file;
  if (!file.create(path, FlvFile::TagType::Video)) return false;
  const bool vp6 = video.codecId == kVp6 || video.codecId == kVp6Alpha;
  for (const TagBody& frame : video.frames) {
    if (std::uint64_t{frame.offset} + frame.length > movie.size() || frame.length < kFrameFieldsSize) {
      file.abandon();
      return false;
    }
    const std::span<const std::uint8_t> body = movie.subspan(frame.offset, frame.length);
    const std::span<const std::uint8_t> data = body.subspan(kFrameFieldsSize);
    const std::uint32_t frameNumber = body[2] | (std::uint32_t{body[3]} << 8);
    const std::array<std::uint8_t, 2> head{
        static_cast<std::uint8_t>((videoFrameType(video.codecId, data) << 4) | (video.codecId & 0x0F)),
        vp6Crop(video)};
    file.writeTag(FlvFile::TagType::Video, frameMilliseconds(frameNumber, fixedFrameRate),
                  std::span<const std::uint8_t>(head).first(vp6 ? 2 : 1), data);
  }
  return file.close();
}

}  // namespace orvane
