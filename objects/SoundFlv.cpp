#include "objects/SoundFlv.h"

#include <algorithm>

#include "objects/FlvFile.h"
#include "objects/VideoFlv.h"

namespace orvane {
namespace {

constexpr std::size_t kEventSoundHeader = 7;  // SoundId, format byte, SoundSampleCount

/// How an event sound's data is cut into tags, and how many samples one tag holds.
struct AudioChunking {
  std::size_t bytes = 0;
  std::uint64_t samples = 0;
  std::uint32_t rate = 0;
};

/// Nellymoser codes 256 samples in a 64-byte block; G.711 one byte per sample and channel
/// at 8 kHz. Speex frames cannot be told apart without decoding them, so its data stays
/// in one tag.
AudioChunking chunkingOf(std::uint8_t formatByte, std::size_t dataSize, std::uint32_t sampleCount) {
  static constexpr std::uint32_t kRates[] = {5512, 11025, 22050, 44100};
  const std::uint32_t format = formatByte >> 4;
  const std::uint32_t channels = (formatByte & 1) + 1;
  switch (format) {
    case 4: return {16 * 64, 16 * 256, 16000};
    case 5: return {16 * 64, 16 * 256, 8000};
    case 6: return {16 * 64, 16 * 256, kRates[(formatByte >> 2) & 3]};
    case 7:
    case 8: return {1024, 1024 / channels, 8000};
    default: return {std::max<std::size_t>(dataSize, 1), sampleCount, 16000};
  }
}

}  // namespace

bool isFlvOnlySoundFormat(std::uint32_t format) {
  return (format >= 4 && format <= 8) || format == 11;
}

bool writeEventSoundFlv(const std::string& path, std::span<const std::uint8_t> body) {
  if (body.size() <= kEventSoundHeader || !isFlvOnlySoundFormat(body[2] >> 4)) return false;
  const std::uint8_t formatByte = body[2];
  const std::uint32_t sampleCount = body[3] | (body[4] << 8) | (body[5] << 16) | (std::uint32_t{body[6]} << 24);
  const std::span<const std::uint8_t> data = body.subspan(kEventSoundHeader);
  const AudioChunking chunking = chunkingOf(formatByte, data.size(), sampleCount);
  FlvFile file;
  if (!file.create(path, FlvFile::TagType::Audio)) return false;
  std::uint64_t chunk = 0;
  for (std::size_t offset = 0; offset < data.size(); offset += chunking.bytes, ++chunk) {
    const std::uint32_t milliseconds = static_cast<std::uint32_t>(chunk * chunking.samples * 1000 / chunking.rate);
    file.writeTag(FlvFile::TagType::Audio, milliseconds, std::span(&formatByte, 1),
                  data.subspan(offset, std::min(chunking.bytes, data.size() - offset)));
  }
  return file.close();
}

bool writeStreamSoundFlv(const std::string& path, std::span<const std::uint8_t> headBody, const SoundObject& stream,
                         std::span<const std::uint8_t> movie, std::uint16_t fixedFrameRate) {
  // The second byte of a stream head: StreamSoundCompression, rate, size and type.
  if (headBody.size() < 2 || !isFlvOnlySoundFormat(headBody[1] >> 4)) return false;
  const std::uint8_t formatByte = headBody[1];
  FlvFile file;
  if (!file.create(path, FlvFile::TagType::Audio)) return false;
  std::uint64_t frame = 0;
  for (const TagBody& block : stream.blocks) {
    if (std::uint64_t{block.offset} + block.length > movie.size()) {
      (void)file.close();
      return false;
    }
    file.writeTag(FlvFile::TagType::Audio, frameMilliseconds(frame++, fixedFrameRate), std::span(&formatByte, 1),
                  movie.subspan(block.offset, block.length));
  }
  return file.close();
}

}  // namespace orvane
