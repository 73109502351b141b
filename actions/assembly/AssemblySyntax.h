// How the fields of each record form are written in an assembly text and read back: the
// printing and the parsing of one form stand side by side, so that they cannot drift.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "actions/assembly/AssemblyLexer.h"
#include "actions/assembly/RecordFields.h"

namespace orvane::syntax {

inline constexpr std::string_view kModeText = "Translate To Assembly";
/// A record by its code and body bytes: `Record 0xC8 01 02`.
inline constexpr std::string_view kRecord = "Record";
/// Bytes written as they are, record or not: `Bytes 96 05`.
inline constexpr std::string_view kBytes = "Bytes";
/// A branch by its offset instead of a label: `Jump offset -3`.
inline constexpr std::string_view kOffset = "offset";
inline constexpr std::string_view kButtonCondition = "on";
inline constexpr std::string_view kClipEvent = "onClipEvent";
/// The clip event whose record carries a key code (movies of version 6 and later).
inline constexpr std::uint32_t kKeyPressEvent = 0x00020000;

/// "L" and the offset.
std::string labelName(std::uint32_t offset);

/// Whether the text shows section `index` (1 catch, 2 finally) of a try: when its flag is
/// set or it holds bytes.
bool showsTrySection(const RecordFields& fields, std::size_t index);
/// "catch" or "finally" for sections 1 and 2 of a try; empty otherwise.
std::string_view sectionKeyword(OperandForm form, std::size_t index);

/// The operands of a record of a form without bodies and other than Branch, with a
/// leading blank when there are any: `5`, `"url", "_level1"`, `"a", 1, 2.5, reg 1`.
void appendFields(std::string& out, OperandForm form, const RecordFields& fields);
/// Reads what appendFields writes, up to the end of the line.
[[nodiscard]] bool parseFields(TokenCursor& cursor, OperandForm form, RecordFields& fields, AssemblyError& error);

/// The operands of a function, with or try record before its " {" (`nested`), or with its
/// sizes: `"f" ("a", "b")`, `"f" ("a" reg 1) registers 2 flags 0x002A`, `flags 0x05 reg 1`,
/// `size 12`, `sizes 10, 5, 0`.
void appendBodyHeader(std::string& out, OperandForm form, const RecordFields& fields, bool nested);
/// What the parser of a body header found besides the fields.
struct BodyHeader {
  bool nested = false;  // the line ends in "{"
  /// A try without "flags": its flags follow from the sections (nested) or sizes.
  bool impliedFlags = false;
};
/// Reads what appendBodyHeader writes, "{" included.
[[nodiscard]] bool parseBodyHeader(TokenCursor& cursor, OperandForm form, RecordFields& fields, BodyHeader& header,
                                   AssemblyError& error);
/// The flags of a try whose flags the text leaves out: the flags of the sections it shows
/// in braces (or, with sizes, of the sizes that are not 0) and of a catch register.
std::uint8_t impliedTryFlags(bool catchShown, bool finallyShown, bool catchInRegister);

}  // namespace orvane::syntax
