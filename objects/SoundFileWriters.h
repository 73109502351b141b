// The temporary object files of event sounds: WAV files of raw or ADPCM samples, MP3 copies.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/MovieObject.h"
#include "movie/ScanStatus.h"
#include "objects/AdpcmDecoder.h"
#include "objects/BinaryFile.h"

namespace orvane {

/// Each writer takes the sound data (the tag body after the sound fields) and returns 106,
/// 109 when the file cannot be created or 110 when a write fails; on success it records
/// the path and the has-file flag in `sound`.

/// A WAV file holding `data` as it is, described by the sound's channels, rate and size.
[[nodiscard]] ScanStatus WritePcmWav(const std::string& path, SoundObject& sound,
                                     std::span<const std::uint8_t> data);
/// A 16-bit WAV file of the decoded ADPCM samples: the sound's sample count per channel,
/// or as many whole samples as the data holds when it holds fewer. The sound is then
/// described as uncompressed 16-bit (format 0).
[[nodiscard]] ScanStatus WriteAdpcmWav(const std::string& path, SoundObject& sound,
                                       std::span<const std::uint8_t> data);
/// The MP3 frames after the 2-byte SeekSamples field, unchanged.
[[nodiscard]] ScanStatus CopySoundData(const std::string& path, SoundObject& sound,
                                       std::span<const std::uint8_t> data);

/// Decodes `frames` sample frames and writes them as little-endian 16-bit samples;
/// false when a write fails.
bool writeDecodedSamples(BinaryFile& file, AdpcmDecoder& decoder, std::size_t frames);

}  // namespace orvane
