#include "objects/SoundFileWriters.h"

#include <algorithm>
#include <vector>

#include "objects/WaveFile.h"

namespace orvane {
namespace {

WaveFormat waveFormatOf(const SoundObject& sound) {
  WaveFormat format;
  format.channels = static_cast<std::uint16_t>(sound.channels);
  format.samplesPerSecond = sound.sampleRate;
  format.bitsPerSample = static_cast<std::uint16_t>(sound.sampleSize);
  return format;
}

ScanStatus finish(BinaryFile& file, bool written, const std::string& path, SoundObject& sound) {
  if (!file.close() || !written) return ScanStatus::WriteError;
  sound.tempFilePath = path;
  sound.hasFile = true;
  return ScanStatus::Success;
}

}  // namespace

bool writeDecodedSamples(BinaryFile& file, AdpcmDecoder& decoder, std::size_t frames) {
  constexpr std::size_t kChunkFrames = 4096;
  std::vector<std::int16_t> samples(std::min(frames, kChunkFrames) * decoder.channels());
  std::vector<std::uint8_t> bytes(samples.size() * 2);
  while (frames > 0) {
    const std::size_t decoded = decoder.decode(std::span(samples).first(std::min(frames, kChunkFrames) * decoder.channels()));
    if (decoded == 0) break;
    const std::size_t count = decoded * decoder.channels();
    for (std::size_t i = 0; i < count; ++i) {
      const auto value = static_cast<std::uint16_t>(samples[i]);
      bytes[2 * i] = static_cast<std::uint8_t>(value);
      bytes[2 * i + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    if (!file.write(std::span(bytes).first(count * 2))) return false;
    frames -= decoded;
  }
  return true;
}

ScanStatus WritePcmWav(const std::string& path, SoundObject& sound, std::span<const std::uint8_t> data) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return ScanStatus::OpenError;
  const bool written = file.write(waveHeader(waveFormatOf(sound), data.size())) && file.write(data);
  return finish(file, written, path, sound);
}

ScanStatus WriteAdpcmWav(const std::string& path, SoundObject& sound, std::span<const std::uint8_t> data) {
  sound.sampleSize = 16;
  AdpcmDecoder decoder(data, sound.channels);
  const std::size_t frames = std::min<std::size_t>(sound.sampleCount, decoder.remainingFrames());
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return ScanStatus::OpenError;
  WaveFormat format = waveFormatOf(sound);
  format.channels = static_cast<std::uint16_t>(decoder.channels());
  const bool written = file.write(waveHeader(format, std::uint64_t{frames} * decoder.channels() * 2)) &&
                       writeDecodedSamples(file, decoder, frames);
  const ScanStatus status = finish(file, written, path, sound);
  if (status == ScanStatus::Success) sound.format = 0;
  return status;
}

ScanStatus CopySoundData(const std::string& path, SoundObject& sound, std::span<const std::uint8_t> data) {
  BinaryFile file;
  if (!file.open(path, BinaryFile::Mode::Create)) return ScanStatus::OpenError;
  const bool written = file.write(data.subspan(std::min<std::size_t>(2, data.size())));
  return finish(file, written, path, sound);
}

}  // namespace orvane
