#include "abc/AbcBodyAssembler.h"

#include <cctype>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>

#include "abc/AbcOpcodes.h"
#include "abc/AbcWriter.h"

namespace orvane {

namespace {

constexpr std::int64_t kS24Min = -(1 << 23);
constexpr std::int64_t kS24Max = (1 << 23) - 1;
constexpr std::int64_t kU30Max = (1 << 30) - 1;

bool isNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.';
}

const std::unordered_map<std::string_view, std::uint8_t>& mnemonics() {
  static const auto table = [] {
    std::unordered_map<std::string_view, std::uint8_t> byName;
    for (unsigned code = 0; code < 256; ++code)
      if (const char* mnemonic = abcOpcode(static_cast<std::uint8_t>(code)).mnemonic)
        byName.emplace(mnemonic, static_cast<std::uint8_t>(code));
    return byName;
  }();
  return table;
}

/// A label named in an operand, filled in once every label is known.
struct LabelUse {
  std::string name;
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::uint32_t position = 0;  // of the s24 field in the code
  std::int64_t base = 0;       // the offset it counts from
};

struct ExceptionLine {
  std::array<LabelUse, 3> labels;  // from, to, target; one without a name holds an @N offset in `base`
  std::uint32_t type = 0;
  std::uint32_t variable = 0;
};

/// One line of the text, read from left to right; columns count bytes from 1.
class LineCursor {
 public:
  LineCursor(std::string_view line, std::uint32_t number) : m_line(line), m_number(number) {}

  void skipBlanks() {
    while (m_at < m_line.size() && (m_line[m_at] == ' ' || m_line[m_at] == '\t')) ++m_at;
  }
  bool atEnd() {
    skipBlanks();
    return m_at >= m_line.size();
  }
  std::uint32_t column() const { return static_cast<std::uint32_t>(m_at) + 1; }
  std::string_view rest() const { return m_line.substr(m_at); }
  char peek() const { return m_at < m_line.size() ? m_line[m_at] : '\0'; }
  void advance(std::size_t count) { m_at = std::min(m_line.size(), m_at + count); }
  std::string_view word() {
    skipBlanks();
    const std::size_t start = m_at;
    while (m_at < m_line.size() && isNameCharacter(m_line[m_at])) ++m_at;
    return m_line.substr(start, m_at - start);
  }
  bool accept(char c) {
    skipBlanks();
    if (peek() != c) return false;
    ++m_at;
    return true;
  }
  bool acceptWord(std::string_view expected) {
    const std::size_t start = m_at;
    if (word() == expected) return true;
    m_at = start;
    return false;
  }
  /// The text up to the next comma (or the end), without blanks at its ends.
  std::string_view field() {
    skipBlanks();
    const std::size_t start = m_at;
    while (m_at < m_line.size() && m_line[m_at] != ',') ++m_at;
    return trimEnd(m_line.substr(start, m_at - start));
  }
  /// The text up to the last comma of the line (or the end when `toEnd`).
  std::string_view fieldToLastComma(bool toEnd) {
    skipBlanks();
    const std::size_t start = m_at;
    const std::size_t comma = toEnd ? std::string_view::npos : m_line.rfind(',');
    m_at = comma == std::string_view::npos || comma < start ? m_line.size() : comma;
    return trimEnd(m_line.substr(start, m_at - start));
  }
  /// A quoted string with its escapes, and a "#N" after it.
  std::string_view quotedField() {
    skipBlanks();
    const std::size_t start = m_at;
    if (peek() == '"') {
      ++m_at;
      while (m_at < m_line.size() && m_line[m_at] != '"') m_at += m_line[m_at] == '\\' ? 2 : 1;
      ++m_at;
      m_at = std::min(m_at, m_line.size());
    }
    while (m_at < m_line.size() && m_line[m_at] != ',') ++m_at;
    return trimEnd(m_line.substr(start, m_at - start));
  }
  /// The text up to a comma outside parentheses.
  std::string_view parenthesisedField() {
    skipBlanks();
    const std::size_t start = m_at;
    int depth = 0;
    while (m_at < m_line.size() && (m_line[m_at] != ',' || depth > 0)) {
      if (m_line[m_at] == '(') ++depth;
      if (m_line[m_at] == ')') --depth;
      ++m_at;
    }
    return trimEnd(m_line.substr(start, m_at - start));
  }
  AssemblyError errorAt(std::uint32_t column, std::string message) const { return {m_number, column, std::move(message)}; }
  AssemblyError errorHere(std::string message) const { return errorAt(column(), std::move(message)); }
  std::uint32_t number() const { return m_number; }

 private:
  static std::string_view trimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
  }

  std::string_view m_line;
  std::uint32_t m_number;
  std::size_t m_at = 0;
};

std::optional<std::int64_t> decimal(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return text[0] == '-' ? -value : value;
}

class BodyAssembler {
 public:
  BodyAssembler(AbcOperandPool& pool, std::size_t methodCount, std::size_t classCount)
      : m_pool(pool), m_methodCount(methodCount), m_classCount(classCount) {}

  bool run(std::string_view text, AbcAssembledBody& out, AssemblyError& error) {
    std::uint32_t number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++number;
      LineCursor cursor(line, number);
      if (!assembleLine(cursor, error)) return false;
      if (end == text.size()) break;
      start = end + 1;
    }
    return finish(out, error);
  }

 private:
  bool assembleLine(LineCursor& line, AssemblyError& error) {
    if (line.atEnd() || line.rest().starts_with("//")) return true;
    if (std::isdigit(static_cast<unsigned char>(line.peek()))) {
      // The offset the listing shows before an instruction: worked out again, so ignored.
      line.word();
      if (line.atEnd()) {
        error = line.errorHere("expects an instruction after the offset");
        return false;
      }
    }
    const std::uint32_t column = line.column();
    const std::string_view name = line.word();
    if (name.empty()) {
      error = line.errorHere("expects an instruction, a label or an exception line");
      return false;
    }
    // A label's colon follows its name at once: after a blank it begins an operand (":b" is a name).
    if (line.peek() == ':') {
      line.advance(1);
      if (name == "exception") return exceptionLine(line, error);
      if (!line.atEnd()) {
        error = line.errorHere("a label stands alone on its line");
        return false;
      }
      if (!m_labels.emplace(std::string(name), static_cast<std::uint32_t>(m_code.size())).second) {
        error = line.errorAt(column, "the label " + std::string(name) + " is defined twice");
        return false;
      }
      return true;
    }
    line.skipBlanks();  // a fault in the operands stands at their first character
    if (name == "exception") return exceptionLine(line, error);
    if (name == "bytes") return rawBytes(line, error);
    if (name == "op") return rawOpcode(line, error);
    const auto found = mnemonics().find(name);
    if (found == mnemonics().end()) {
      error = line.errorAt(column, "unknown instruction " + std::string(name));
      return false;
    }
    return instruction(line, found->second, error);
  }

  bool instruction(LineCursor& line, std::uint8_t code, AssemblyError& error) {
    const AbcOpcode& opcode = abcOpcode(code);
    const auto start = static_cast<std::int64_t>(m_code.size());
    const std::size_t pending = m_uses.size();
    m_writer.u8(code);
    if (opcode.isSwitch) {
      if (!lookupSwitch(line, start, error)) return false;
    } else {
      for (std::uint8_t i = 0; i < opcode.operandCount; ++i) {
        if (i > 0 && !line.accept(',')) {
          error = line.errorHere(std::string(opcode.mnemonic) + " takes " + std::to_string(opcode.operandCount) +
                                 " operands");
          return false;
        }
        if (!operand(line, opcode.operands[i], i + 1 == opcode.operandCount, error)) return false;
      }
    }
    if (!line.atEnd()) {
      error = line.errorHere(opcode.operandCount == 0 && !opcode.isSwitch
                                 ? std::string(opcode.mnemonic) + " takes no operands"
                                 : "unexpected text after the operands");
      return false;
    }
    // A branch counts from the end of its instruction.
    for (std::size_t i = pending; i < m_uses.size(); ++i)
      if (!opcode.isSwitch) m_uses[i].base = static_cast<std::int64_t>(m_code.size());
    return true;
  }

  bool number(LineCursor& line, std::int64_t minimum, std::int64_t maximum, const char* what, std::int64_t& value,
              AssemblyError& error) {
    const std::uint32_t column = line.column();
    const std::string_view text = line.field();
    const auto parsed = decimal(text);
    if (!parsed || *parsed < minimum || *parsed > maximum) {
      error = line.errorAt(column, std::string("expects ") + what + " from " + std::to_string(minimum) + " to " +
                                       std::to_string(maximum));
      return false;
    }
    value = *parsed;
    return true;
  }

  /// A label, or a signed distance (+12, -3) written as it is: the form for targets where no
  /// label can stand.
  bool label(LineCursor& line, std::int64_t base, AssemblyError& error) {
    line.skipBlanks();
    const std::uint32_t column = line.column();
    if (line.peek() == '+' || line.peek() == '-') {
      const bool negative = line.peek() == '-';
      line.advance(1);
      const auto distance = decimal(line.word());
      if (!distance || *distance > kS24Max + (negative ? 1 : 0)) {
        error = line.errorAt(column, "expects a label or a distance from -8388608 to +8388607");
        return false;
      }
      m_writer.s24(static_cast<std::int32_t>(negative ? -*distance : *distance));
      return true;
    }
    const std::string_view name = line.word();
    if (name.empty()) {
      error = line.errorAt(column, "expects a label");
      return false;
    }
    m_uses.push_back({std::string(name), line.number(), column, static_cast<std::uint32_t>(m_code.size()), base});
    m_writer.s24(0);
    return true;
  }

  bool lookupSwitch(LineCursor& line, std::int64_t start, AssemblyError& error) {
    if (!label(line, start, error)) return false;
    if (!line.accept(',') || !line.accept('[')) {
      error = line.errorHere("lookupswitch takes a default label and the case labels in brackets: L1, [L2, L3]");
      return false;
    }
    std::uint32_t count = 0;
    // The case count stands before the case offsets: it goes in once the labels are counted.
    const std::size_t before = m_uses.size();
    const auto firstCase = static_cast<std::ptrdiff_t>(m_code.size());
    do {
      if (!label(line, start, error)) return false;
      ++count;
    } while (line.accept(','));
    if (!line.accept(']')) {
      error = line.errorHere("expects ']' after the case labels");
      return false;
    }
    AbcWriter countField;  // the instruction holds the count less one
    countField.u30(count - 1);
    m_code.insert(m_code.begin() + firstCase, countField.data().begin(), countField.data().end());
    for (std::size_t i = before; i < m_uses.size(); ++i) m_uses[i].position += countField.size();
    return true;
  }

  bool operand(LineCursor& line, AbcOperandKind kind, bool last, AssemblyError& error) {
    std::int64_t value = 0;
    switch (kind) {
      case AbcOperandKind::kByte:
        if (!number(line, 0, 255, "a number", value, error)) return false;
        m_writer.u8(static_cast<std::uint32_t>(value));
        return true;
      case AbcOperandKind::kRegisterByte:
        if (!number(line, 0, 255, "a register", value, error)) return false;
        m_writer.u8(static_cast<std::uint32_t>(value));
        return true;
      case AbcOperandKind::kSignedByte:
        if (!number(line, -128, 127, "a number", value, error)) return false;
        m_writer.u8(static_cast<std::uint32_t>(value) & 0xFF);
        return true;
      case AbcOperandKind::kShort:
        if (!number(line, -32768, 32767, "a number", value, error)) return false;
        // Negative values as the 32 bits of their two's complement, as compilers write them.
        m_writer.u30(static_cast<std::uint32_t>(value));
        return true;
      case AbcOperandKind::kCount:
      case AbcOperandKind::kSlot:
      case AbcOperandKind::kLine:
        if (!number(line, 0, kU30Max, "a number", value, error)) return false;
        m_writer.u30(static_cast<std::uint32_t>(value));
        return true;
      case AbcOperandKind::kRegister:
        if (!number(line, 0, kU30Max, "a register", value, error)) return false;
        m_writer.u30(static_cast<std::uint32_t>(value));
        return true;
      case AbcOperandKind::kException: {
        const std::uint32_t column = line.column();
        if (!number(line, 0, kU30Max, "an exception number", value, error)) return false;
        m_catches.push_back({line.number(), column, static_cast<std::uint32_t>(value)});
        m_writer.u30(static_cast<std::uint32_t>(value));
        return true;
      }
      case AbcOperandKind::kMethod:
      case AbcOperandKind::kClass: return indexedOperand(line, kind, error);
      case AbcOperandKind::kBranch: return label(line, 0, error);
      default: break;
    }
    line.skipBlanks();
    const std::uint32_t column = line.column();
    switch (kind) {
      case AbcOperandKind::kInt: return poolOperand(line, AbcPoolTable::kInt, column, line.field(), error);
      case AbcOperandKind::kUInt: return poolOperand(line, AbcPoolTable::kUInt, column, line.field(), error);
      case AbcOperandKind::kDouble: return poolOperand(line, AbcPoolTable::kDouble, column, line.field(), error);
      case AbcOperandKind::kString:
        return poolOperand(line, AbcPoolTable::kString, column, line.quotedField(), error);
      case AbcOperandKind::kNamespace:
        return poolOperand(line, AbcPoolTable::kNamespace, column, line.fieldToLastComma(last), error);
      default: return poolOperand(line, AbcPoolTable::kMultiname, column, line.fieldToLastComma(last), error);
    }
  }

  /// `N` or `N (name)`: the index decides, the name is what the listing shows beside it.
  bool indexedOperand(LineCursor& line, AbcOperandKind kind, AssemblyError& error) {
    const std::uint32_t column = line.column();
    std::string_view text = line.parenthesisedField();
    const std::size_t open = text.find('(');
    if (open != std::string_view::npos) text = text.substr(0, open);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const bool isMethod = kind == AbcOperandKind::kMethod;
    const std::size_t count = isMethod ? m_methodCount : m_classCount;
    const auto value = decimal(text);
    if (!value || *value < 0 || static_cast<std::uint64_t>(*value) >= count) {
      error = line.errorAt(column, std::string("expects a ") + (isMethod ? "method" : "class") + " number below " +
                                       std::to_string(count));
      return false;
    }
    m_writer.u30(static_cast<std::uint32_t>(*value));
    return true;
  }

  bool poolOperand(LineCursor& line, AbcPoolTable table, std::uint32_t column, std::string_view text,
                   AssemblyError& error) {
    std::uint32_t index = 0;
    if (!resolveAt(line, table, column, text, index, error)) return false;
    m_writer.u30(index);
    return true;
  }

  bool exceptionLine(LineCursor& line, AssemblyError& error) {
    // exception N: from L to L target L type T name V (the number is the entry's place, kept in order)
    line.skipBlanks();
    if (std::isdigit(static_cast<unsigned char>(line.peek()))) {
      line.word();
      if (!line.accept(':')) {
        error = line.errorHere("expects ':' after the exception's number");
        return false;
      }
    }
    ExceptionLine entry;
    const char* const words[] = {"from", "to", "target"};
    for (std::size_t i = 0; i < 3; ++i) {
      line.skipBlanks();
      if (!line.acceptWord(words[i])) {
        error = line.errorHere(std::string("expects ") + words[i] + " and a label");
        return false;
      }
      line.skipBlanks();
      entry.labels[i].column = line.column();
      if (line.accept('@')) {
        // An offset where no label can stand, written as it is.
        const auto offset = decimal(line.word());
        if (!offset || *offset < 0 || *offset > kU30Max) {
          error = line.errorAt(entry.labels[i].column, "expects a label or @ and an offset");
          return false;
        }
        entry.labels[i].base = *offset;
        continue;
      }
      entry.labels[i].name = std::string(line.word());
      entry.labels[i].line = line.number();
      if (entry.labels[i].name.empty()) {
        error = line.errorHere("expects a label");
        return false;
      }
    }
    line.skipBlanks();
    if (!line.acceptWord("type")) {
      error = line.errorHere("expects type and the caught type (* for any)");
      return false;
    }
    line.skipBlanks();
    const std::string_view rest = line.rest();
    const std::size_t split = rest.rfind(" name ");
    if (split == std::string_view::npos) {
      error = line.errorHere("expects type T name V");
      return false;
    }
    const std::uint32_t typeColumn = line.column();
    line.advance(split);
    if (!resolveAt(line, AbcPoolTable::kMultiname, typeColumn, rest.substr(0, split), entry.type, error)) return false;
    line.advance(6);
    line.skipBlanks();
    const std::uint32_t nameColumn = line.column();
    const std::string_view variable = line.rest();
    line.advance(variable.size());
    if (!resolveAt(line, AbcPoolTable::kMultiname, nameColumn, variable, entry.variable, error)) return false;
    m_exceptions.push_back(std::move(entry));
    return true;
  }

  bool resolveAt(LineCursor& line, AbcPoolTable table, std::uint32_t column, std::string_view text,
                 std::uint32_t& index, AssemblyError& error) {
    std::string message;
    if (text.empty()) {
      error = line.errorAt(column, std::string("expects a ") + poolTableName(table));
      return false;
    }
    if (!m_pool.resolve(table, text, index, message)) {
      error = line.errorAt(column, message);
      return false;
    }
    return true;
  }

  bool rawBytes(LineCursor& line, AssemblyError& error) {
    while (!line.atEnd()) {
      const std::uint32_t column = line.column();
      const std::string_view text = line.word();
      if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
          !std::isxdigit(static_cast<unsigned char>(text[1]))) {
        error = line.errorAt(column, "expects bytes as two hexadecimal digits each");
        return false;
      }
      m_writer.u8(static_cast<std::uint32_t>(std::stoul(std::string(text), nullptr, 16)));
    }
    return true;
  }

  bool rawOpcode(LineCursor& line, AssemblyError& error) {
    const std::uint32_t column = line.column();
    const std::string_view text = line.word();
    if (text.size() != 4 || !text.starts_with("0x") || !std::isxdigit(static_cast<unsigned char>(text[2])) ||
        !std::isxdigit(static_cast<unsigned char>(text[3]))) {
      error = line.errorAt(column, "expects the byte as 0xHH");
      return false;
    }
    m_writer.u8(static_cast<std::uint32_t>(std::stoul(std::string(text.substr(2)), nullptr, 16)));
    if (!line.atEnd()) {
      error = line.errorHere("unexpected text after the byte");
      return false;
    }
    return true;
  }

  bool labelOffset(const LabelUse& use, std::uint32_t& offset, AssemblyError& error) const {
    if (use.name.empty()) {  // written as @N
      offset = static_cast<std::uint32_t>(use.base);
      return true;
    }
    const auto found = m_labels.find(use.name);
    if (found == m_labels.end()) {
      error = {use.line, use.column, "no label is named " + use.name};
      return false;
    }
    offset = found->second;
    return true;
  }

  bool finish(AbcAssembledBody& out, AssemblyError& error) {
    for (const LabelUse& use : m_uses) {
      std::uint32_t target = 0;
      if (!labelOffset(use, target, error)) return false;
      const std::int64_t delta = static_cast<std::int64_t>(target) - use.base;
      if (delta < kS24Min || delta > kS24Max) {
        error = {use.line, use.column, "the label " + use.name + " is farther than a 24-bit offset reaches"};
        return false;
      }
      const auto bits = static_cast<std::uint32_t>(delta);
      for (std::uint32_t i = 0; i < 3; ++i) m_code[use.position + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    for (const Catch& use : m_catches)
      if (use.index >= m_exceptions.size()) {
        error = {use.line, use.column,
                 "newcatch names exception " + std::to_string(use.index) + " of " +
                     std::to_string(m_exceptions.size())};
        return false;
      }
    out.exceptions.clear();
    for (const ExceptionLine& line : m_exceptions) {
      AbcException entry;
      if (!labelOffset(line.labels[0], entry.from, error) || !labelOffset(line.labels[1], entry.to, error) ||
          !labelOffset(line.labels[2], entry.target, error))
        return false;
      entry.type = line.type;
      entry.variable = line.variable;
      out.exceptions.push_back(entry);
    }
    out.code = std::move(m_code);
    return true;
  }

  struct Catch {
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    std::uint32_t index = 0;
  };

  AbcOperandPool& m_pool;
  std::size_t m_methodCount;
  std::size_t m_classCount;
  AbcWriter m_writer;
  std::vector<std::uint8_t>& m_code = m_writer.data();
  std::unordered_map<std::string, std::uint32_t> m_labels;
  std::vector<LabelUse> m_uses;
  std::vector<ExceptionLine> m_exceptions;
  std::vector<Catch> m_catches;
};

}  // namespace

bool assembleAbcBody(std::string_view text, AbcOperandPool& pool, std::size_t methodCount, std::size_t classCount,
                     AbcAssembledBody& out, AssemblyError& error) {
  return BodyAssembler(pool, methodCount, classCount).run(text, out, error);
}

}  // namespace orvane
