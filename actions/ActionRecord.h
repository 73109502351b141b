// The record of one action of an action block: the base of every action class.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "actions/StackValue.h"
#include "movie/BitReader.h"

namespace orvane {

class ExpressionTable;

/// The three forms of a raw byte line.
enum class ByteCodeKind { Hex = 0, Character = 1, Integer = 2 };

/// One raw byte line: every byte as "0x%x ", "%c " (a zero byte adds nothing) or "%d ", then "\n".
std::string rawBytesLine(std::span<const std::uint8_t> bytes, ByteCodeKind kind);

/// A register of a function body and the name it holds.
struct NamedRegister {
  std::uint8_t number = 0;
  std::string_view name;
};

/// A record points into the action block it was decoded from and copies nothing; the
/// block must outlive it. Its `size` bytes from `data` lie inside the block (the decoding
/// walk guarantees it), and every view of a subclass reads only those bytes.
///
/// Plain records stand for ActionEnd (code 0) and for every code without a class.
class ActionRecord {
 public:
  /// What a rendering does with the text it built from its operands.
  enum class ResultForm {
    Expression,  // the text goes on the stack as an expression
    Statement,   // the text is resolved and appended as a line
  };

  ActionRecord(const std::uint8_t* data, std::uint32_t size);
  ActionRecord(const ActionRecord&) = delete;
  ActionRecord& operator=(const ActionRecord&) = delete;

  // Virtual operations, in this slot order.

  /// Renders the action as ActionScript version 4 (any version <= 4) or 5 into the table.
  /// Returns 1, or 0 when no table is given.
  [[nodiscard]] virtual int Render(ExpressionTable* table, int version);
  /// The movie version the class is tagged with; -1 for plain records.
  virtual int FirstVersion() const;
  /// "CODE:%d" followed by the class's label and fields. The text of a plain record other
  /// than ActionEnd has no final line break; listings append " UNKNOWN ACTION\n" to it.
  virtual std::string ByteCodeText() const;
  virtual ~ActionRecord() = default;

  std::uint8_t code() const { return m_code; }
  std::uint32_t size() const { return m_size; }
  const std::uint8_t* data() const { return m_data; }
  std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }
  /// The value the last rendering left on the stack (or its placeholder).
  const StackValue& result() const { return m_result; }
  /// A long action whose body is shorter than the fields its class reads; its views hold
  /// what could be read, and it lists and renders as a truncated record.
  bool truncated() const { return m_truncated; }

  /// The record's bytes as one raw byte line.
  std::string RawBytesText(ByteCodeKind kind) const { return rawBytesLine(bytes(), kind); }

  /// The text without its first and last character is made of decimal digits only
  /// (an empty remainder counts).
  static bool IsQuotedInteger(std::string_view text);

 protected:
  /// For the classes: `code` is the class's own code, not re-read from the block.
  ActionRecord(std::uint8_t code, const std::uint8_t* data, std::uint32_t size);

  /// "CODE:%d" with the record's code.
  std::string codeText() const;
  /// The bytes after the code and length field of a long action; empty for short ones.
  std::span<const std::uint8_t> body() const;
  /// The record's bytes from `offset` to its end.
  BitReader readerAt(std::uint32_t offset) const;
  /// The zero-terminated text at `offset`; none when no zero byte follows inside the record.
  std::optional<std::string_view> terminatedTextAt(std::uint32_t offset) const;
  /// The text at `offset` up to the first zero byte or the end of the record.
  std::string_view textAt(std::uint32_t offset) const;

  /// Pops right and left, combines them around `operatorText` and pushes the result as
  /// an expression; `parenthesise` encloses it in parentheses.
  void RenderBinaryOperator(ExpressionTable& table, std::string_view operatorText, bool parenthesise);

  /// An action of a later version in a version 4 translation: the line
  /// "CODE:%dFLASH %d Action\n" with the class's first version.
  void renderLaterAction(ExpressionTable& table) const;
  /// The result takes `text` and goes on the stack behind a placeholder.
  void pushExpression(ExpressionTable& table, std::string text);
  /// The result takes `text` and goes on the stack as it is.
  void pushPlain(ExpressionTable& table, std::string text);
  /// Resolves the placeholders of `line` and appends it.
  static void appendResolved(ExpressionTable& table, std::string_view line);
  /// Pushes `text` as an expression or appends it as a resolved line.
  void deliver(ExpressionTable& table, std::string text, ResultForm form);

  /// A long action whose body is shorter than the fields its class reads.
  void markTruncated() { m_truncated = true; }
  /// The listing of a truncated record: "CODE:%d", `label` and "\t[Truncated Record]\n".
  std::string truncatedText(std::string_view label) const;
  /// The rendering of a truncated record: the line "(CODE:%d TRUNCATED ACTION)"; the stack
  /// is left alone.
  int renderTruncated(ExpressionTable& table) const;

  StackValue m_result;

 private:
  const std::uint8_t* m_data;
  std::uint32_t m_size;
  std::uint8_t m_code;
  bool m_truncated = false;
};

/// True for the version-4 forms (any version up to 4).
constexpr bool isVersion4(int version) { return version <= 4; }

}  // namespace orvane
