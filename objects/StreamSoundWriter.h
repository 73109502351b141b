// The temporary object files of streaming sounds, built up block by block during a scan.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/MovieObject.h"
#include "movie/ScanStatus.h"

namespace orvane {

/// The highest stream file number tried ("swfSextract0" to "swfSextract9999").
inline constexpr std::uint32_t kLastStreamFileNumber = 9999;

/// Creates the file of a new stream whose fields are read: formats 0, 1 and 3 get a ".wav"
/// holding a 44-byte zero placeholder for the header, format 2 an empty ".mp3", other
/// formats no file. The name is the first free "swfSextract<n>" of `folder`. 106, or 109.
[[nodiscard]] ScanStatus beginStreamFile(SoundObject& stream, const std::string& folder);

/// Appends the sound data of one SoundStreamBlock (counted by the walk) to the stream's file: MP3 blocks
/// after their 4-byte SampleCount/SeekSamples header, ADPCM blocks decoded to 16-bit
/// samples, uncompressed blocks unchanged. 106, 108, 109 or 110.
[[nodiscard]] ScanStatus appendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block);

/// Writes the real WAV header over the placeholder of a format 0, 1 or 3 stream (ADPCM
/// streams are then 16-bit). 106, 109 or 110.
[[nodiscard]] ScanStatus completeStreamFile(SoundObject& stream);

}  // namespace orvane
