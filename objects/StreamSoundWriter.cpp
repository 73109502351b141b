#include "objects/StreamSoundWriter.h"

#include <array>
#include <cerrno>
#include <new>

#include "movie/ObjectFileWriter.h"
#include "objects/AdpcmDecoder.h"
#include "objects/BinaryFile.h"
#include "objects/SoundFileWriters.h"
#include "objects/WaveFile.h"

namespace orvane {
namespace {

constexpr std::uint32_t kFormatAdpcm = 1;
constexpr std::uint32_t kFormatMp3 = 2;
constexpr std::size_t kMp3BlockHeaderSize = 4;

bool isWaveFormat(std::uint32_t format) { return format == 0 || format == 1 || format == 3; }

}  // namespace

ScanStatus beginStreamFile(SoundObject& stream, const std::string& folder) {
  const bool wave = isWaveFormat(stream.format);
  if (!wave && stream.format != kFormatMp3) return ScanStatus::Success;
  const char* extension = wave ? ".wav" : ".mp3";
  for (std::uint32_t number = 0; number <= kLastStreamFileNumber; ++number) {
    const std::string path = streamFileName(folder, number, extension);
    BinaryFile file;
    // Creating exclusively both finds the first free name and never follows a planted link.
    if (!file.open(path, BinaryFile::Mode::CreateNew)) {
      if (errno == EEXIST) continue;
      return ScanStatus::OpenError;
    }
    const std::array<std::uint8_t, kWaveHeaderSize> placeholder{};
    const bool written = !wave || file.write(placeholder);
    if (!file.close() || !written) return ScanStatus::WriteError;
    stream.tempFilePath = path;
    stream.hasFile = true;
    return ScanStatus::Success;
  }
  return ScanStatus::OpenError;
}

ScanStatus appendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block) {
  if (!stream.hasFile) return ScanStatus::Success;
  BinaryFile file;
  if (!file.open(stream.tempFilePath, BinaryFile::Mode::Append)) return ScanStatus::OpenError;
  bool written = true;
  if (stream.format == kFormatAdpcm) {
    AdpcmDecoder decoder(block, stream.channels);
    try {
      written = writeDecodedSamples(file, decoder, decoder.remainingFrames());
    } catch (const std::bad_alloc&) {
      return ScanStatus::MemoryError;
    }
  } else {
    const std::size_t skipped = stream.format == kFormatMp3 ? std::min(kMp3BlockHeaderSize, block.size()) : 0;
    written = file.write(block.subspan(skipped));
  }
  return file.close() && written ? ScanStatus::Success : ScanStatus::WriteError;
}

ScanStatus completeStreamFile(SoundObject& stream) {
  if (!stream.hasFile || !isWaveFormat(stream.format)) return ScanStatus::Success;
  if (stream.format == kFormatAdpcm) stream.sampleSize = 16;
  BinaryFile file;
  std::uint64_t length = 0;
  if (!file.open(stream.tempFilePath, BinaryFile::Mode::Update) || !file.length(length)) return ScanStatus::OpenError;
  WaveFormat format;
  format.channels = static_cast<std::uint16_t>(stream.channels);
  format.samplesPerSecond = stream.sampleRate;
  format.bitsPerSample = static_cast<std::uint16_t>(stream.sampleSize);
  const std::uint64_t dataLength = length > kWaveHeaderSize ? length - kWaveHeaderSize : 0;
  const bool written = file.seek(0) && file.write(waveHeader(format, dataLength));
  return file.close() && written ? ScanStatus::Success : ScanStatus::WriteError;
}

}  // namespace orvane
