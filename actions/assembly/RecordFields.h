// The fields of one action record as values, and their one encoding: what the disassembler
// reads from a record's body and the assembler writes back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "actions/assembly/AssemblyTable.h"

namespace orvane {

namespace pushtype {
inline constexpr std::uint8_t kString = 0;
inline constexpr std::uint8_t kFloat = 1;
inline constexpr std::uint8_t kNull = 2;
inline constexpr std::uint8_t kUndefined = 3;
inline constexpr std::uint8_t kRegister = 4;
inline constexpr std::uint8_t kBoolean = 5;
inline constexpr std::uint8_t kDouble = 6;
inline constexpr std::uint8_t kInteger = 7;
inline constexpr std::uint8_t kConstant8 = 8;
inline constexpr std::uint8_t kConstant16 = 9;
}  // namespace pushtype

/// One push item. Types without data (null, undefined and every unknown type) carry only
/// the type byte.
struct PushItem {
  std::uint8_t type = 0;
  std::string text;         // a string
  std::uint64_t value = 0;  // the data as stored: float or double bits, register, boolean, integer, index
};

struct FunctionParameter {
  std::string name;
  std::uint8_t registerNumber = 0;  // DefineFunction2: 0 when the parameter has no register
};

namespace tryflag {
inline constexpr std::uint8_t kCatch = 0x01;
inline constexpr std::uint8_t kFinally = 0x02;
inline constexpr std::uint8_t kCatchInRegister = 0x04;
}  // namespace tryflag

/// The values of a record's fields. Which members a form uses:
/// Byte, Word, Branch: numbers[0]; FrameAndSkip: frame, skip; SceneFrame: flags and, when
/// flag 2 is set, the bias; Text, TwoTexts, Pool: texts; Items: items; Function: texts[0]
/// the name, parameters, bodySizes[0]; Function2: the same and numbers = registers, flags;
/// WithBlock: bodySizes[0]; TryBlock: numbers[0] the flags, numbers[1] the catch register
/// or texts[0] the catch name, bodySizes = try, catch, finally.
struct RecordFields {
  std::vector<std::uint32_t> numbers;
  std::vector<std::string> texts;
  std::vector<PushItem> items;
  std::vector<FunctionParameter> parameters;
  std::vector<std::uint32_t> bodySizes;
};

/// The fields of a record body of `form`; none unless encoding them gives exactly `body`
/// (a record with bytes its fields do not account for, or cut short, has no fields).
std::optional<RecordFields> decodeFields(OperandForm form, std::span<const std::uint8_t> body);

/// Appends the body of a record of `form`. Numbers are cut to their field width; the
/// caller checks the ranges.
void encodeFields(OperandForm form, const RecordFields& fields, std::vector<std::uint8_t>& out);

/// How many nested bodies follow a record of `form`: one after a function or a with, three
/// after a try, none after the others.
std::size_t bodyCount(OperandForm form);

}  // namespace orvane
