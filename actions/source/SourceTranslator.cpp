#include "actions/source/SourceTranslator.h"

#include <algorithm>
#include <array>

#include "actions/source/SourceClasses.h"
#include "actions/source/SourceDecompiler.h"
#include "decompiler/SourceNumber.h"
#include "decompiler/SourceWriter.h"
#include "movie/MovieObject.h"

namespace orvane {

namespace {

struct NamedFlag {
  std::uint32_t bits;
  const char* name;
};

/// Each button event with the transition bits the compiler sets for it (dragOver and
/// dragOut are two transitions each).
constexpr std::array<NamedFlag, 7> kButtonEvents = {{
    {0x004, "press"},
    {0x008, "release"},
    {0x040, "releaseOutside"},
    {0x001, "rollOver"},
    {0x002, "rollOut"},
    {0x0A0, "dragOver"},
    {0x110, "dragOut"},
}};

/// A clip's event flags: the clip events of onClipEvent, then the mouse and key events a
/// clip shares with buttons, written with "on" (keyPress takes the record's key code).
constexpr std::uint32_t kClipButtonEvents = 0x0003FC00;
constexpr std::uint32_t kClipKeyPress = 0x00020000;
constexpr std::array<NamedFlag, 18> kClipEvents = {{
    {0x00001, "load"},
    {0x00002, "enterFrame"},
    {0x00004, "unload"},
    {0x00008, "mouseMove"},
    {0x00010, "mouseDown"},
    {0x00020, "mouseUp"},
    {0x00040, "keyDown"},
    {0x00080, "keyUp"},
    {0x00100, "data"},
    {0x00200, "initialize"},
    {0x40000, "construct"},
    {0x00400, "press"},
    {0x00800, "release"},
    {0x01000, "releaseOutside"},
    {0x02000, "rollOver"},
    {0x04000, "rollOut"},
    {0x08000, "dragOver"},
    {0x10000, "dragOut"},
}};

/// The authoring tool's names of the special keys, and the other keys as their character.
std::string keyText(unsigned key) {
  static constexpr std::array<const char*, 20> kKeys = {
      nullptr,   "<Left>",   "<Right>",  "<Home>", "<End>",  "<Insert>", "<Delete>", nullptr,  "<Backspace>", nullptr,
      nullptr,   nullptr,    nullptr,    "<Enter>", "<Up>",  "<Down>",   "<PageUp>", "<PageDown>", "<Tab>", "<Escape>"};
  if (key < kKeys.size() && kKeys[key] != nullptr) return kKeys[key];
  if (key == 32) return "<Space>";
  return std::string(1, static_cast<char>(key));
}

/// keyPress "<Enter>", the key's text quoted as a string.
std::string keyPress(unsigned key) { return "keyPress " + quotedText(keyText(key)); }

/// The dialect a block is printed in: that of its movie's version, unless a version 4
/// movie's block uses ActionAdd2, ActionLess2 or ActionEquals2, which only the later
/// language writes.
SourceDialect dialectOf(const ActionList& records, int movieVersion) {
  const SourceDialect dialect = dialectOfMovie(movieVersion);
  if (dialect != SourceDialect::Flash4) return dialect;
  const bool later = std::any_of(records.begin(), records.end(), [](const auto& record) {
    return record->code() == 0x47 || record->code() == 0x48 || record->code() == 0x49;
  });
  return later ? SourceDialect::ActionScript : dialect;
}

std::string blockSource(const ActionList& records, int movieVersion, int indent) {
  return statementsText(reconstructClasses(decompileBlock(records)), indent,
                        SourceStyle{.dialect = dialectOf(records, movieVersion)});
}

}  // namespace

std::string SourceListing(const ActionList& records, int movieVersion) { return blockSource(records, movieVersion, 0); }

std::string SourceButtonEvents(std::uint16_t conditionWord) {
  std::string names;
  for (const NamedFlag& event : kButtonEvents)
    if ((conditionWord & event.bits) != 0) names += (names.empty() ? "" : ", ") + std::string(event.name);
  const unsigned key = (conditionWord >> 9) & 0x7F;
  if (key != 0) names += (names.empty() ? "" : ", ") + keyPress(key);
  return names;
}

std::string SourceClipEventHeader(std::uint32_t flags, std::uint8_t key) {
  std::string names;
  for (const NamedFlag& event : kClipEvents)
    if ((flags & event.bits) != 0) names += (names.empty() ? "" : ", ") + std::string(event.name);
  if ((flags & kClipKeyPress) != 0) names += (names.empty() ? "" : ", ") + keyPress(key);
  const bool buttonLike = (flags & kClipButtonEvents) != 0 && (flags & ~kClipButtonEvents) == 0;
  return (buttonLike ? "on (" : "onClipEvent (") + names + ")";
}

std::string SourceConditionListing(const ButtonObject& owner, MessageSink& messages) {
  const bool isButton = dynamic_cast<const InstanceObject*>(&owner) == nullptr;
  std::string text;
  for (const auto& condition : owner.conditionActions) {
    if (condition == nullptr) continue;
    ActionList records;
    DecodeBlock(condition->bytes, records, messages);
    if (!text.empty()) text += "\n";
    // Records made by hand may carry only the 16-bit word.
    const std::uint32_t flags = condition->eventFlags != 0 ? condition->eventFlags : condition->conditionWord;
    // The actions of a first-version button (no conditions) run when it is released.
    const std::uint16_t word = isButton && owner.typeName == "DefineButton" ? 0x08 : condition->conditionWord;
    text += isButton ? "on (" + SourceButtonEvents(word) + ")" : SourceClipEventHeader(flags, condition->keyCode);
    text += " {\n";
    text += blockSource(records, condition->movieVersion, 1);
    text += "}\n";
  }
  return text;
}

}  // namespace orvane
