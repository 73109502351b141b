#include "actions/ActionList.h"

#include <new>

#include "actions/ClassActions.h"
#include "actions/ClipActions.h"
#include "actions/ControlActions.h"
#include "actions/FrameActions.h"
#include "actions/FunctionActions.h"
#include "actions/OperatorActions.h"
#include "actions/StackActions.h"
#include "actions/UnaryActions.h"
#include "actions/VariableActions.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

template <class Record>
std::unique_ptr<ActionRecord> make(const std::uint8_t* data, std::uint32_t size) {
  return std::unique_ptr<ActionRecord>(new (std::nothrow) Record(data, size));
}

}  // namespace

std::unique_ptr<ActionRecord> CreateRecord(std::uint8_t code, const std::uint8_t* data, std::uint32_t size) {
  switch (code) {
    case 0x04:
      return make<ActionNextFrame>(data, size);
    case 0x05:
      return make<ActionPrevFrame>(data, size);
    case 0x06:
      return make<ActionPlay>(data, size);
    case 0x07:
      return make<ActionStop>(data, size);
    case 0x08:
      return make<ActionToggleQuality>(data, size);
    case 0x09:
      return make<ActionStopSounds>(data, size);
    case 0x0A:
      return make<ActionAdd>(data, size);
    case 0x0B:
      return make<ActionSubtract>(data, size);
    case 0x0C:
      return make<ActionMultiply>(data, size);
    case 0x0D:
      return make<ActionDivide>(data, size);
    case 0x0E:
      return make<ActionEquals>(data, size);
    case 0x0F:
      return make<ActionLess>(data, size);
    case 0x10:
      return make<ActionAnd>(data, size);
    case 0x11:
      return make<ActionOr>(data, size);
    case 0x12:
      return make<ActionNot>(data, size);
    case 0x14:
      return make<ActionStringLength>(data, size);
    case 0x15:
      return make<ActionStringExtract>(data, size);
    case 0x17:
      return make<ActionPop>(data, size);
    case 0x18:
      return make<ActionToInteger>(data, size);
    case 0x1C:
      return make<ActionGetVariable>(data, size);
    case 0x1D:
      return make<ActionSetVariable>(data, size);
    case 0x20:
      return make<ActionSetTarget2>(data, size);
    case 0x21:
      return make<ActionStringAdd>(data, size);
    case 0x22:
      return make<ActionGetProperty>(data, size);
    case 0x23:
      return make<ActionSetProperty>(data, size);
    case 0x24:
      return make<ActionCloneSprite>(data, size);
    case 0x25:
      return make<ActionRemoveSprite>(data, size);
    case 0x26:
      return make<ActionTrace>(data, size);
    case 0x27:
      return make<ActionStartDrag>(data, size);
    case 0x28:
      return make<ActionEndDrag>(data, size);
    case 0x29:
      return make<ActionStringLess>(data, size);
    case 0x2A:
      return make<ActionThrow>(data, size);
    case 0x2B:
      return make<ActionCastOp>(data, size);
    case 0x2C:
      return make<ActionImplementsOp>(data, size);
    case 0x30:
      return make<ActionRandomNumber>(data, size);
    case 0x31:
      return make<ActionMBStringLength>(data, size);
    case 0x32:
      return make<ActionCharToAscii>(data, size);
    case 0x33:
      return make<ActionAsciiToChar>(data, size);
    case 0x34:
      return make<ActionGetTime>(data, size);
    case 0x35:
      return make<ActionMBStringExtract>(data, size);
    case 0x36:
      return make<ActionMBCharToAscii>(data, size);
    case 0x37:
      return make<ActionMBAsciiToChar>(data, size);
    case 0x3A:
      return make<ActionDelete>(data, size);
    case 0x3B:
      return make<ActionDelete2>(data, size);
    case 0x3C:
      return make<ActionDefineLocal>(data, size);
    case 0x3D:
      return make<ActionCallFunction>(data, size);
    case 0x3E:
      return make<ActionReturn>(data, size);
    case 0x3F:
      return make<ActionModulo>(data, size);
    case 0x40:
      return make<ActionNewObject>(data, size);
    case 0x41:
      return make<ActionDefineLocal2>(data, size);
    case 0x42:
      return make<ActionInitArray>(data, size);
    case 0x43:
      return make<ActionInitObject>(data, size);
    case 0x44:
      return make<ActionTypeOf>(data, size);
    case 0x45:
      return make<ActionTargetPath>(data, size);
    case 0x46:
      return make<ActionEnumerate>(data, size);
    case 0x47:
      return make<ActionAdd2>(data, size);
    case 0x48:
      return make<ActionLess2>(data, size);
    case 0x49:
      return make<ActionEquals2>(data, size);
    case 0x4A:
      return make<ActionToNumber>(data, size);
    case 0x4B:
      return make<ActionToString>(data, size);
    case 0x4C:
      return make<ActionPushDuplicate>(data, size);
    case 0x4D:
      return make<ActionStackSwap>(data, size);
    case 0x4E:
      return make<ActionGetMember>(data, size);
    case 0x4F:
      return make<ActionSetMember>(data, size);
    case 0x50:
      return make<ActionIncrement>(data, size);
    case 0x51:
      return make<ActionDecrement>(data, size);
    case 0x52:
      return make<ActionCallMethod>(data, size);
    case 0x53:
      return make<ActionNewMethod>(data, size);
    case 0x54:
      return make<ActionInstanceOf>(data, size);
    case 0x55:
      return make<ActionEnumerate2>(data, size);
    case 0x60:
      return make<ActionBitAnd>(data, size);
    case 0x61:
      return make<ActionBitOr>(data, size);
    case 0x62:
      return make<ActionXor>(data, size);
    case 0x63:
      return make<ActionBitLShift>(data, size);
    case 0x64:
      return make<ActionBitRShift>(data, size);
    case 0x65:
      return make<ActionBitURShift>(data, size);
    case 0x66:
      return make<ActionStrictEquals>(data, size);
    case 0x67:
      return make<ActionGreater>(data, size);
    case 0x68:
      return make<ActionStringGreater>(data, size);
    case 0x69:
      return make<ActionExtends>(data, size);
    case 0x80:
      return make<ActionHasLength>(data, size);
    case 0x81:
      return make<ActionGotoFrame>(data, size);
    case 0x83:
      return make<ActionGetURL>(data, size);
    case 0x87:
      return make<ActionStoreRegister>(data, size);
    case 0x88:
      return make<ActionConstantPool>(data, size);
    case 0x89:
      return make<ActionStrictMode>(data, size);
    case 0x8A:
      return make<ActionWaitForFrame>(data, size);
    case 0x8B:
      return make<ActionSetTarget>(data, size);
    case 0x8C:
      return make<ActionGotoLabel>(data, size);
    case 0x8D:
      return make<ActionWaitForFrame2>(data, size);
    case 0x8E:
      return make<ActionDefineFunction2>(data, size);
    case 0x8F:
      return make<ActionTry>(data, size);
    case 0x94:
      return make<ActionWith>(data, size);
    case 0x96:
      return make<ActionPush>(data, size);
    case 0x99:
      return make<ActionJump>(data, size);
    case 0x9A:
      return make<ActionGetURL2>(data, size);
    case 0x9B:
      return make<ActionDefineFunction>(data, size);
    case 0x9D:
      return make<ActionIf>(data, size);
    case 0x9E:
      return make<ActionCall>(data, size);
    case 0x9F:
      return make<ActionGotoFrame2>(data, size);
    case 0x13:  // string equality reads like ActionEquals
      return make<ActionEquals>(data, size);
    default:
      return make<ActionRecord>(data, size);
  }
}

std::optional<std::uint32_t> recordSizeAt(std::span<const std::uint8_t> block, std::size_t offset) {
  const std::size_t length = block.size();
  if (offset >= length) return std::nullopt;
  std::size_t size = 1;
  if (block[offset] >= 0x80) {
    // The length field must lie inside the block before it is read.
    if (length - offset < 3) return std::nullopt;
    size = 3 + (block[offset + 1] | (block[offset + 2] << 8));
  }
  if (size > length - offset) return std::nullopt;
  return static_cast<std::uint32_t>(size);
}

void DecodeBlock(std::span<const std::uint8_t> block, ActionList& list, MessageSink& messages) {
  list.clear();
  std::size_t offset = 0;
  while (offset < block.size()) {
    const std::optional<std::uint32_t> size = recordSizeAt(block, offset);
    if (!size) {
      messages.show({"", "Error During Action Script Translation.. Invalid Instruction size found", MessageIcon::Error});
      return;
    }
    std::unique_ptr<ActionRecord> record = CreateRecord(block[offset], block.data() + offset, *size);
    if (record) list.push_back(std::move(record));
    offset += *size;
  }
}

}  // namespace orvane
