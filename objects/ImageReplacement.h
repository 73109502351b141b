// Replacing one image of a movie by a picture file: the picture is encoded as JPEG and
// stored as a DefineBitsJPEG2 tag with the old character id, at the old tag's place.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane {

class ImageObject;
class MessageSink;
class ScanResult;

/// The whole new tag: the long-form header of tag 21 (always 6 bytes), the character id,
/// the empty table stream 0xFF 0xD9 0xFF 0xD8 and the JPEG stream.
std::vector<std::uint8_t> jpeg2TagBytes(std::uint16_t characterId, std::span<const std::uint8_t> jpeg);

/// The second temporary file of a movie path: "c" before its last four characters and "t"
/// after them (movie.swf gives moviec.swft).
std::string secondTemporaryPath(const std::string& moviePath);

/// Replaces `image` of the movie at `moviePath` (as `scan` read it) by the picture at
/// `picturePath`. The movie is written through moviePath + "t" and secondTemporaryPath()
/// and replaced in one step only when both are complete; it must still match the scan.
/// True on success, after the message that asks for a re-scan; every other outcome
/// leaves the movie as it was.
[[nodiscard]] bool replaceImage(const std::string& moviePath, const ScanResult& scan, const ImageObject& image,
                                const std::string& picturePath, MessageSink& sink);

}  // namespace orvane
