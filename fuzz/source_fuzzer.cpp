// The decompiled source mode over an arbitrary action block, or over a button or clip
// with several arbitrary condition blocks.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An action block is at most one tag body; longer inputs add nothing new.
  if (size < 1 || size > 65536) return 0;
  const std::uint8_t selector = data[0];
  orvane::RecordingMessageSink messages;
  if ((selector & 1) == 0) {
    orvane::ActionObject block;
    block.bytes.assign(data + 1, data + size);
    static_cast<void>(orvane::ActionWindowText(&block, orvane::TranslationMode::Source, messages));
    return 0;
  }
  orvane::ButtonObject button;
  orvane::InstanceObject clip;
  orvane::ButtonObject& owner = (selector & 2) != 0 ? clip : button;
  // Condition blocks: a 16-bit condition word, a byte of clip event flags above those 16
  // bits that is also the key code, a 16-bit length and that many bytes.
  std::size_t at = 1;
  while (size - at >= 5) {
    const auto word = static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
    const std::uint8_t extra = data[at + 2];
    const std::size_t length = std::min<std::size_t>(data[at + 3] | (data[at + 4] << 8), size - at - 5);
    orvane::ConditionAction* condition = owner.addConditionAction(word, data + at + 5, length);
    condition->eventFlags = word | static_cast<std::uint32_t>(extra & 0x07) << 16;
    condition->keyCode = extra;
    at += 5 + length;
  }
  static_cast<void>(orvane::ActionWindowText(&owner, orvane::TranslationMode::Source, messages));
  return 0;
}
