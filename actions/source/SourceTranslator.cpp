#include "actions/source/SourceTranslator.h"

#include <array>

#include "actions/source/SourceClasses.h"
#include "actions/source/SourceDecompiler.h"
#include "actions/source/SourceWriter.h"
#include "movie/MovieObject.h"

namespace orvane {

namespace {

struct NamedBits {
  std::uint16_t bits;
  const char* name;
};

/// Each event with the bit the compiler sets for it; dragOver and dragOut set a second
/// bit as well (0x80, 0x100), which is not needed to know them.
constexpr std::array<NamedBits, 7> kButtonEvents = {{
    {0x04, "press"},
    {0x08, "release"},
    {0x40, "releaseOutside"},
    {0x01, "rollOver"},
    {0x02, "rollOut"},
    {0x20, "dragOver"},
    {0x10, "dragOut"},
}};

/// The low 16 bits of a clip's event flags: clip events, and the mouse events a clip can
/// have like a button (written with "on").
constexpr std::uint16_t kClipMouseEvents = 0xFC00;
constexpr std::array<NamedBits, 16> kClipEvents = {{
    {0x0001, "load"},
    {0x0002, "enterFrame"},
    {0x0004, "unload"},
    {0x0008, "mouseMove"},
    {0x0010, "mouseDown"},
    {0x0020, "mouseUp"},
    {0x0040, "keyDown"},
    {0x0080, "keyUp"},
    {0x0100, "data"},
    {0x0200, "initialize"},
    {0x0400, "press"},
    {0x0800, "release"},
    {0x1000, "releaseOutside"},
    {0x2000, "rollOver"},
    {0x4000, "rollOut"},
    {0x8000, "dragOver"},
}};

/// The authoring tool's names of the special keys.
std::string keyText(unsigned key) {
  static constexpr std::array<const char*, 20> kKeys = {
      nullptr,   "<Left>",   "<Right>",  "<Home>", "<End>",  "<Insert>", "<Delete>", nullptr,  "<Backspace>", nullptr,
      nullptr,   nullptr,    nullptr,    "<Enter>", "<Up>",  "<Down>",   "<PageUp>", "<PageDown>", "<Tab>", "<Escape>"};
  if (key < kKeys.size() && kKeys[key] != nullptr) return kKeys[key];
  if (key == 32) return "<Space>";
  return std::string(1, static_cast<char>(key));
}

}  // namespace

std::string SourceListing(const ActionList& records) {
  return statementsText(reconstructClasses(decompileBlock(records)), 0);
}

std::string SourceEventNames(std::uint16_t conditionWord, bool isButton) {
  std::string names;
  auto add = [&](const std::string& name) { names += (names.empty() ? "" : ", ") + name; };
  for (const NamedBits& event : isButton ? std::span<const NamedBits>(kButtonEvents) : std::span<const NamedBits>(kClipEvents))
    if ((conditionWord & event.bits) != 0) add(event.name);
  const unsigned key = (conditionWord >> 9) & 0x7F;
  if (isButton && key != 0) {
    std::string quoted = "keyPress \"";
    for (const char c : keyText(key)) {
      if (c == '"' || c == '\\') quoted.push_back('\\');
      quoted.push_back(c);
    }
    add(quoted + "\"");
  }
  return names;
}

std::string SourceConditionListing(const ButtonObject& owner, MessageSink& messages) {
  const bool isButton = dynamic_cast<const InstanceObject*>(&owner) == nullptr;
  std::string text;
  for (const auto& condition : owner.conditionActions) {
    if (condition == nullptr) continue;
    ActionList records;
    DecodeBlock(condition->bytes, records, messages);
    if (!text.empty()) text += "\n";
    const bool mouseOnly = (condition->conditionWord & ~kClipMouseEvents) == 0 && condition->conditionWord != 0;
    text += (isButton || mouseOnly ? "on (" : "onClipEvent (") + SourceEventNames(condition->conditionWord, isButton) + ") {\n";
    text += statementsText(reconstructClasses(decompileBlock(records)), 1);
    text += "}\n";
  }
  return text;
}

}  // namespace orvane
