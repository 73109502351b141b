// The options that steer a scan and the panels: which kinds are collected, what is shown.
#pragma once

#include <cstdint>

namespace orvane {

namespace scanflag {
inline constexpr std::uint32_t kJpegBits = 0x001;
inline constexpr std::uint32_t kJpeg2 = 0x002;
inline constexpr std::uint32_t kJpeg3 = 0x004;
inline constexpr std::uint32_t kLossless = 0x008;
inline constexpr std::uint32_t kLossless2 = 0x010;
inline constexpr std::uint32_t kFrameActions = 0x020;
inline constexpr std::uint32_t kButtonActions = 0x040;
inline constexpr std::uint32_t kInstanceActions = 0x080;
inline constexpr std::uint32_t kRawSounds = 0x100;
inline constexpr std::uint32_t kMp3Sounds = 0x200;
inline constexpr std::uint32_t kAdpcmSounds = 0x400;
inline constexpr std::uint32_t kStreamingSounds = 0x800;
inline constexpr std::uint32_t kAll = 0xFFF;
}  // namespace scanflag

struct ScanOptions {
  std::uint32_t scanFlags = scanflag::kAll;
  int showAdvancedDetails = 0;
  int showEmptyMovieObjects = 0;
  /// 10 byte code hex, 11 character, 12 integer, 13 function code, 14 ActionScript 4,
  /// 15 ActionScript 5, 17 let the program decide.
  int defaultTranslationMode = 17;
};

}  // namespace orvane
