// The domain-memory and sign-extension instructions, which source writes as calls of the
// functions of one package that the compiler turns into those instructions.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

/// The package that defines the functions; a file that calls them imports them from it.
inline constexpr std::string_view kIntrinsicsPackage = "avm2.intrinsics.memory";

struct AbcIntrinsic {
  std::uint8_t code;
  const char* name;
  int operands;  // the values the instruction takes
  bool isStore;  // it leaves no value
};

inline constexpr AbcIntrinsic kIntrinsics[] = {
    {0x35, "li8", 1, false},  {0x36, "li16", 1, false}, {0x37, "li32", 1, false}, {0x38, "lf32", 1, false},
    {0x39, "lf64", 1, false}, {0x3A, "si8", 2, true},   {0x3B, "si16", 2, true},  {0x3C, "si32", 2, true},
    {0x3D, "sf32", 2, true},  {0x3E, "sf64", 2, true},  {0x50, "sxi1", 1, false}, {0x51, "sxi8", 1, false},
    {0x52, "sxi16", 1, false},
};

/// The intrinsic that instruction `code` is, or none.
inline const AbcIntrinsic* intrinsicOf(std::uint8_t code) {
  for (const AbcIntrinsic& intrinsic : kIntrinsics)
    if (intrinsic.code == code) return &intrinsic;
  return nullptr;
}

}  // namespace orvane
