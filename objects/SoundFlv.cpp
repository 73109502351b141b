#include "objects/SoundFlv.h"

#include <algorithm>
#include <array>

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

constexpr std::uint64_t kSpeexFrameSamples = 320;

/// Nellymoser codes 256 samples in a 64-byte block; G.711 one byte per sample and channel
/// at 8 kHz; Speex 320 samples at 16 kHz in a frame whose length its bits tell (bytes 0).
AudioChunking chunkingOf(std::uint8_t formatByte) {
  static constexpr std::uint32_t kRates[] = {5512, 11025, 22050, 44100};
  const std::uint32_t format = formatByte >> 4;
  const std::uint32_t channels = (formatByte & 1) + 1;
  switch (format) {
    case 4: return {16 * 64, 16 * 256, 16000};
    case 5: return {16 * 64, 16 * 256, 8000};
    case 6: return {16 * 64, 16 * 256, kRates[(formatByte >> 2) & 3]};
    case 7:
    case 8: return {1024, 1024 / channels, 8000};
    default: return {0, kSpeexFrameSamples, 16000};
  }
}

/// The bits of each layer of a Speex frame by its submode, its header bits included: the
/// narrowband layer, then up to two higher-band layers.
constexpr std::array<unsigned, 9> kNarrowbandBits{5, 43, 119, 160, 220, 300, 364, 492, 79};
constexpr std::array<unsigned, 8> kHighBandBits{4, 36, 112, 192, 352, 0, 0, 0};

/// The bytes of the Speex frame at the start of `data` (frames are padded to whole
/// bytes, as each FLV tag holds one); 0 when the data is not a frame this can measure.
std::size_t speexFrameLength(std::span<const std::uint8_t> data) {
  const std::uint64_t available = std::uint64_t{data.size()} * 8;
  std::uint64_t bit = 0;
  const auto peek = [&] { return bit < available ? (data[bit / 8] >> (7 - bit % 8)) & 1u : 0u; };
  const auto read = [&](unsigned count) {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < count; ++i, ++bit) value = (value << 1) | peek();
    return value;
  };
  if (read(1) != 0) return 0;  // a frame opens with its narrowband layer
  const std::uint32_t mode = read(4);
  if (mode >= kNarrowbandBits.size()) return 0;
  bit += kNarrowbandBits[mode] - 5;
  // A higher-band layer opens with a 1 bit; a 0 bit is the next frame (or the padding).
  for (int layer = 0; layer < 2 && peek() == 1; ++layer) {
    ++bit;
    const unsigned bits = kHighBandBits[read(3)];
    if (bits == 0) return 0;
    bit += bits - 4;
  }
  const std::uint64_t end = (bit + 7) / 8;
  return end <= data.size() ? static_cast<std::size_t>(end) : 0;
}

}  // namespace

bool isFlvOnlySoundFormat(std::uint32_t format) {
  return (format >= 4 && format <= 8) || format == 11;
}

bool writeEventSoundFlv(const std::string& path, std::span<const std::uint8_t> body) {
  if (body.size() <= kEventSoundHeader || !isFlvOnlySoundFormat(body[2] >> 4)) return false;
  const std::uint8_t formatByte = body[2];
  const std::span<const std::uint8_t> data = body.subspan(kEventSoundHeader);
  const AudioChunking chunking = chunkingOf(formatByte);
  FlvFile file;
  if (!file.create(path, FlvFile::TagType::Audio)) return false;
  std::uint64_t chunk = 0;
  for (std::size_t offset = 0, length = 0; offset < data.size(); offset += length, ++chunk) {
    const std::span<const std::uint8_t> rest = data.subspan(offset);
    length = chunking.bytes == 0 ? speexFrameLength(rest) : std::min(chunking.bytes, rest.size());
    // Speex data this cannot measure goes into the last tag whole.
    if (length == 0) length = rest.size();
    const auto milliseconds = static_cast<std::uint32_t>(chunk * chunking.samples * 1000 / chunking.rate);
    file.writeTag(FlvFile::TagType::Audio, milliseconds, std::span(&formatByte, 1), rest.first(length));
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
      file.abandon();
      return false;
    }
    file.writeTag(FlvFile::TagType::Audio, frameMilliseconds(frame++, fixedFrameRate), std::span(&formatByte, 1),
                  movie.subspan(block.offset, block.length));
  }
  return file.close();
}

}  // namespace orvane
