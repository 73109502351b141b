// Sounds of the formats no object file holds, kept as FLV audio: Nellymoser (formats 4, 5
// and 6), G.711 A-law and mu-law (7, 8) and Speex (11).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/MovieObject.h"

namespace orvane {

/// Whether `format` is one of those formats.
bool isFlvOnlySoundFormat(std::uint32_t format);

/// Writes a DefineSound `body` (character id first) as FLV audio: its format byte (format,
/// rate, size and type, laid out as an FLV audio tag's first byte) in front of each tag, the
/// sound data cut into tags of whole codec blocks, each at the time of its first sample.
/// False (and no file) on failure or for another format.
[[nodiscard]] bool writeEventSoundFlv(const std::string& path, std::span<const std::uint8_t> body);

/// Writes a streaming sound as FLV audio, one tag per SoundStreamBlock at its frame's time
/// (8.8 fixed frame rate, 0 taken as one frame per second), the stream head's own format
/// byte in front of each. `headBody` is the SoundStreamHead body; the blocks lie in `movie`.
[[nodiscard]] bool writeStreamSoundFlv(const std::string& path, std::span<const std::uint8_t> headBody,
                                       const SoundObject& stream, std::span<const std::uint8_t> movie,
                                       std::uint16_t fixedFrameRate);

}  // namespace orvane
