// The decompiled source mode over an arbitrary action block, over a class definition in
// the compiler's pattern with arbitrary constructor code and members, or over a button or
// clip with several arbitrary condition blocks.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "actions/ActionTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"

namespace {

using orvane::test::Bytes;
using orvane::test::join;
using orvane::test::push;
using orvane::test::str;

const Bytes kGetVariable{0x1C};
const Bytes kGetMember{0x4E};
const Bytes kSetMember{0x4F};

/// if (!_global.<path>) { body }, the guard the compiler writes around a definition; a
/// body beyond a branch's reach is cut.
Bytes guard(const Bytes& path, Bytes body) {
  body.resize(std::min<std::size_t>(body.size(), 0x7FFF));
  return join({push({str("_global")}), kGetVariable, path, {0x12, 0x12},
               orvane::test::ifJump(static_cast<std::int64_t>(body.size())), body, {0x17}});
}

/// The block of `class a.C extends B` as the compiler writes it, the constructor's code
/// and the members being the fuzzer's: the input reaches every step of the class reader
/// instead of waiting for the fuzzer to find the guards.
Bytes classBlock(const std::uint8_t* data, std::size_t size) {
  const std::size_t split = size == 0 ? 0 : std::min<std::size_t>(data[0], size - 1);
  const Bytes constructorCode(data + std::min<std::size_t>(size, 1), data + std::min<std::size_t>(size, 1) + split);
  const Bytes members(data + std::min<std::size_t>(size, 1) + split, data + size);
  const Bytes packageA = join({push({str("a")}), kGetMember});
  const Bytes classA = join({push({str("a")}), kGetVariable, push({str("C")})});
  const Bytes constructor = join({orvane::test::longAction(0x8E, join({orvane::test::zstr(""), {0, 0, 3, 0x11, 0},
                                                                       orvane::test::u16(split)})),
                                  constructorCode});
  const Bytes body = join({
      classA, constructor, orvane::test::storeRegister(1), kSetMember,
      classA, kGetMember, push({str("B")}), kGetVariable, {0x69},
      push({orvane::test::reg(1), str("prototype")}), kGetMember, orvane::test::storeRegister(2), {0x17},
      members,
      push({orvane::test::i32(1), orvane::test::null()}), classA, kGetMember, push({str("prototype")}), kGetMember,
      push({orvane::test::i32(3), str("ASSetPropFlags")}), {0x3D},
  });
  const Bytes createA = join({push({str("_global")}), kGetVariable, push({str("a"), orvane::test::i32(0), str("Object")}),
                              {0x40}, kSetMember});
  return join({guard(packageA, createA), guard(join({packageA, push({str("C")}), kGetMember}), body)});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An action block is at most one tag body; longer inputs add nothing new.
  if (size < 1 || size > 65536) return 0;
  const std::uint8_t selector = data[0];
  orvane::RecordingMessageSink messages;
  if ((selector & 1) == 0) {
    orvane::ActionObject block;
    if ((selector & 2) != 0) {
      block.bytes = classBlock(data + 1, size - 1);
    } else {
      block.bytes.assign(data + 1, data + size);
    }
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
