// The event names of a button condition or a clip event word.
#include <array>
#include <span>

#include "actions/ActionTranslator.h"

namespace orvane {

namespace {

struct NamedBits {
  std::uint16_t bits;
  const char* name;
};

/// Tested in this order; a row matches when all its bits are set.
constexpr std::array<NamedBits, 7> kButtonConditions = {{
    {0x80 | 0x20, "dragOver,"},
    {0x40, "releaseOutside,"},
    {0x10 | 0x100, "dragOut,"},
    {0x08, "release,"},
    {0x04, "press,"},
    {0x02, "rollOut,"},
    {0x01, "rollOver,"},
}};

constexpr std::array<NamedBits, 9> kClipEvents = {{
    {0x100, "data,"},
    {0x80, "keyUp,"},
    {0x40, "keyDown,"},
    {0x20, "mouseUp,"},
    {0x10, "mouseDown,"},
    {0x08, "mouseMove,"},
    {0x04, "unLoad,"},
    {0x02, "enterframe,"},
    {0x01, "load,"},
}};

std::string keyName(unsigned key) {
  static constexpr std::array<const char*, 19> kKeys = {
      nullptr,  "<Left>",  "<Right>", "<Home>",  "<End>",      "<Insert>",   "<Delete>",
      "<Clear>", "<BackSpace>", nullptr, nullptr, nullptr,    nullptr,      "<Enter>",
      "<Up>",    "<Down>",  "<PageUp>", "<PageDown>", "<Tab>"};
  if (key < kKeys.size() && kKeys[key] != nullptr) return std::string("KeyPress ") + kKeys[key] + ",";
  if (key == 32) return "KeyPress <Space>,";
  return std::string("KeyPress \"") + static_cast<char>(key) + "\",";
}

}  // namespace

std::string ActionTranslator::EventNames(std::uint16_t conditionWord, bool isButton) {
  std::string names;
  const unsigned key = (conditionWord >> 9) & 0x7F;
  if (key != 0) names += keyName(key);
  for (const NamedBits& row : isButton ? std::span<const NamedBits>(kButtonConditions) : std::span<const NamedBits>(kClipEvents)) {
    if ((conditionWord & row.bits) == row.bits) names += row.name;
  }
  if (names.size() > 1) names.pop_back();
  return names;
}

}  // namespace orvane
