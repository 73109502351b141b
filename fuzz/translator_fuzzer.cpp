// The translation engine in all six modes over an arbitrary action block, or over a button
// or clip with several arbitrary condition blocks in both on-block layouts.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"

namespace {

constexpr orvane::TranslationMode kModes[] = {
    orvane::TranslationMode::ByteCodeHex,   orvane::TranslationMode::ByteCodeInteger,
    orvane::TranslationMode::ByteCodeCharacter, orvane::TranslationMode::FunctionCode,
    orvane::TranslationMode::ActionScript4, orvane::TranslationMode::ActionScript5};

/// Splits `data` into condition blocks: a 16-bit condition word, a 16-bit length and that
/// many bytes (fewer at the end), until the data runs out.
void addConditions(orvane::ButtonObject& owner, const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  while (size - at >= 4) {
    const auto word = static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
    const std::size_t length = std::min<std::size_t>(data[at + 2] | (data[at + 3] << 8), size - at - 4);
    owner.addConditionAction(word, data + at + 4, length);
    at += 4 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An action block is at most one tag body; longer inputs add nothing new.
  if (size < 1 || size > 65536) return 0;
  const std::uint8_t selector = data[0];
  orvane::RecordingMessageSink messages;
  orvane::ActionTranslator translator(messages);
  if ((selector & 1) == 0) {
    orvane::ActionObject block;
    block.bytes.assign(data + 1, data + size);
    translator.SetSource(&block);
    for (const orvane::TranslationMode mode : kModes) static_cast<void>(translator.Listing(mode, true));
    return 0;
  }
  orvane::ButtonObject button;
  orvane::InstanceObject clip;
  orvane::ButtonObject& owner = (selector & 2) != 0 ? clip : button;
  addConditions(owner, data + 1, size - 1);
  for (const orvane::TranslationMode mode : kModes) {
    static_cast<void>(translator.ConditionBlockListing(owner, mode, orvane::ConditionLayout::ActionView));
    static_cast<void>(translator.ConditionBlockListing(owner, mode, orvane::ConditionLayout::ScriptFile));
  }
  return 0;
}
