#include "actions/assembly/AssemblyTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "actions/assembly/AssemblyLiterals.h"

namespace orvane {

namespace {

using F = OperandForm;

constexpr AssemblyInstruction kInstructions[] = {
    {0x00, "End", F::None},
    {0x04, "NextFrame", F::None},
    {0x05, "PrevFrame", F::None},
    {0x06, "Play", F::None},
    {0x07, "Stop", F::None},
    {0x08, "ToggleQuality", F::None},
    {0x09, "StopSounds", F::None},
    {0x0A, "Add", F::None},
    {0x0B, "Subtract", F::None},
    {0x0C, "Multiply", F::None},
    {0x0D, "Divide", F::None},
    {0x0E, "Equals", F::None},
    {0x0F, "Less", F::None},
    {0x10, "And", F::None},
    {0x11, "Or", F::None},
    {0x12, "Not", F::None},
    {0x13, "StringEquals", F::None},
    {0x14, "StringLength", F::None},
    {0x15, "StringExtract", F::None},
    {0x17, "Pop", F::None},
    {0x18, "ToInteger", F::None},
    {0x1C, "GetVariable", F::None},
    {0x1D, "SetVariable", F::None},
    {0x20, "SetTarget2", F::None},
    {0x21, "StringAdd", F::None},
    {0x22, "GetProperty", F::None},
    {0x23, "SetProperty", F::None},
    {0x24, "CloneSprite", F::None},
    {0x25, "RemoveSprite", F::None},
    {0x26, "Trace", F::None},
    {0x27, "StartDrag", F::None},
    {0x28, "EndDrag", F::None},
    {0x29, "StringLess", F::None},
    {0x2A, "Throw", F::None},
    {0x2B, "CastOp", F::None},
    {0x2C, "ImplementsOp", F::None},
    {0x30, "RandomNumber", F::None},
    {0x31, "MBStringLength", F::None},
    {0x32, "CharToAscii", F::None},
    {0x33, "AsciiToChar", F::None},
    {0x34, "GetTime", F::None},
    {0x35, "MBStringExtract", F::None},
    {0x36, "MBCharToAscii", F::None},
    {0x37, "MBAsciiToChar", F::None},
    {0x3A, "Delete", F::None},
    {0x3B, "Delete2", F::None},
    {0x3C, "DefineLocal", F::None},
    {0x3D, "CallFunction", F::None},
    {0x3E, "Return", F::None},
    {0x3F, "Modulo", F::None},
    {0x40, "NewObject", F::None},
    {0x41, "DefineLocal2", F::None},
    {0x42, "InitArray", F::None},
    {0x43, "InitObject", F::None},
    {0x44, "TypeOf", F::None},
    {0x45, "TargetPath", F::None},
    {0x46, "Enumerate", F::None},
    {0x47, "Add2", F::None},
    {0x48, "Less2", F::None},
    {0x49, "Equals2", F::None},
    {0x4A, "ToNumber", F::None},
    {0x4B, "ToString", F::None},
    {0x4C, "PushDuplicate", F::None},
    {0x4D, "StackSwap", F::None},
    {0x4E, "GetMember", F::None},
    {0x4F, "SetMember", F::None},
    {0x50, "Increment", F::None},
    {0x51, "Decrement", F::None},
    {0x52, "CallMethod", F::None},
    {0x53, "NewMethod", F::None},
    {0x54, "InstanceOf", F::None},
    {0x55, "Enumerate2", F::None},
    {0x60, "BitAnd", F::None},
    {0x61, "BitOr", F::None},
    {0x62, "Xor", F::None},
    {0x63, "BitLShift", F::None},
    {0x64, "BitRShift", F::None},
    {0x65, "BitURShift", F::None},
    {0x66, "StrictEquals", F::None},
    {0x67, "Greater", F::None},
    {0x68, "StringGreater", F::None},
    {0x69, "Extends", F::None},
    {0x80, "HasLength", F::None},
    {0x81, "GotoFrame", F::Word},
    {0x83, "GetURL", F::TwoTexts},
    {0x87, "StoreRegister", F::Byte},
    {0x88, "ConstantPool", F::Pool},
    {0x89, "StrictMode", F::Byte},
    {0x8A, "WaitForFrame", F::FrameAndSkip},
    {0x8B, "SetTarget", F::Text},
    {0x8C, "GotoLabel", F::Text},
    {0x8D, "WaitForFrame2", F::Byte},
    {0x8E, "DefineFunction2", F::Function2},
    {0x8F, "Try", F::TryBlock},
    {0x94, "With", F::WithBlock},
    {0x96, "Push", F::Items},
    {0x99, "Jump", F::Branch},
    {0x9A, "GetURL2", F::Byte},
    {0x9B, "DefineFunction", F::Function},
    {0x9D, "If", F::Branch},
    {0x9E, "Call", F::None},
    {0x9F, "GotoFrame2", F::SceneFrame},
};

struct Index {
  std::array<const AssemblyInstruction*, 256> byCode{};
  std::vector<const AssemblyInstruction*> byName;  // sorted by lower-case name

  Index() {
    for (const AssemblyInstruction& entry : kInstructions) {
      byCode[entry.code] = &entry;
      byName.push_back(&entry);
    }
    std::sort(byName.begin(), byName.end(), [](const auto* left, const auto* right) {
      return compareIgnoringCase(left->name, right->name) < 0;
    });
  }
};

const Index& index() {
  static const Index table;
  return table;
}

}  // namespace

const AssemblyInstruction* instructionOfCode(std::uint8_t code) { return index().byCode[code]; }

const AssemblyInstruction* instructionNamed(std::string_view name) {
  const auto& byName = index().byName;
  const auto found = std::lower_bound(byName.begin(), byName.end(), name, [](const auto* entry, std::string_view key) {
    return compareIgnoringCase(entry->name, key) < 0;
  });
  if (found == byName.end() || compareIgnoringCase((*found)->name, name) != 0) return nullptr;
  return *found;
}

}  // namespace orvane
