// One decoded tag header of the tag stream.
#pragma once

#include <cstdint>

#include "movie/BitReader.h"

namespace orvane {

struct TagHeader {
  std::uint16_t code = 0;
  std::uint32_t length = 0;
  std::uint32_t headerOffset = 0;
  std::uint32_t bodyOffset = 0;
  /// bodyOffset + length, computed in 64 bits so that a huge declared length cannot wrap.
  std::uint64_t bodyEnd = 0;
};

/// Decodes the header at the reader's position and leaves the position at the body.
/// The body itself is not checked against the data; the reader is exhausted when the
/// header does not fit.
TagHeader readTagHeader(BitReader& reader);

namespace tag {
inline constexpr std::uint16_t kEnd = 0;
inline constexpr std::uint16_t kShowFrame = 1;
inline constexpr std::uint16_t kDefineShape = 2;
inline constexpr std::uint16_t kPlaceObject = 4;
inline constexpr std::uint16_t kRemoveObject = 5;
inline constexpr std::uint16_t kDefineBits = 6;
inline constexpr std::uint16_t kDefineButton = 7;
inline constexpr std::uint16_t kJpegTables = 8;
inline constexpr std::uint16_t kSetBackgroundColor = 9;
inline constexpr std::uint16_t kDefineFont = 10;
inline constexpr std::uint16_t kDefineText = 11;
inline constexpr std::uint16_t kDoAction = 12;
inline constexpr std::uint16_t kDefineFontInfo = 13;
inline constexpr std::uint16_t kDefineSound = 14;
inline constexpr std::uint16_t kSoundStreamHead = 18;
inline constexpr std::uint16_t kSoundStreamBlock = 19;
inline constexpr std::uint16_t kDefineBitsLossless = 20;
inline constexpr std::uint16_t kDefineBitsJpeg2 = 21;
inline constexpr std::uint16_t kDefineShape2 = 22;
inline constexpr std::uint16_t kPlaceObject2 = 26;
inline constexpr std::uint16_t kRemoveObject2 = 28;
inline constexpr std::uint16_t kDefineShape3 = 32;
inline constexpr std::uint16_t kDefineText2 = 33;
inline constexpr std::uint16_t kDefineButton2 = 34;
inline constexpr std::uint16_t kDefineBitsJpeg3 = 35;
inline constexpr std::uint16_t kDefineBitsLossless2 = 36;
inline constexpr std::uint16_t kDefineEditText = 37;
inline constexpr std::uint16_t kDefineSprite = 39;
inline constexpr std::uint16_t kFrameLabel = 43;
inline constexpr std::uint16_t kSoundStreamHead2 = 45;
inline constexpr std::uint16_t kDefineMorphShape = 46;
inline constexpr std::uint16_t kDefineFont2 = 48;
inline constexpr std::uint16_t kDoInitAction = 59;
inline constexpr std::uint16_t kDefineFontInfo2 = 62;
inline constexpr std::uint16_t kPlaceObject3 = 70;
inline constexpr std::uint16_t kDoAbc1 = 72;
inline constexpr std::uint16_t kDefineFontAlignZones = 73;
inline constexpr std::uint16_t kDefineFont3 = 75;
inline constexpr std::uint16_t kDoAbc = 82;
inline constexpr std::uint16_t kDefineShape4 = 83;
inline constexpr std::uint16_t kDefineMorphShape2 = 84;
inline constexpr std::uint16_t kDefineFontName = 88;
inline constexpr std::uint16_t kDefineVideoStream = 60;
inline constexpr std::uint16_t kVideoFrame = 61;
inline constexpr std::uint16_t kDefineBitsJpeg4 = 90;
inline constexpr std::uint16_t kDefineFont4 = 91;
}  // namespace tag

}  // namespace orvane
