#include "actions/ActionRecord.h"

#include <algorithm>

#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {

constexpr std::uint32_t kHeaderSize = 3;

}  // namespace

ActionRecord::ActionRecord(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(size > 0 ? data[0] : 0, data, size) {}

ActionRecord::ActionRecord(std::uint8_t code, const std::uint8_t* data, std::uint32_t size)
    : m_data(data), m_size(size), m_code(code) {}

int ActionRecord::Render(ExpressionTable* table, int /*version*/) {
  if (table == nullptr) return 0;
  if (m_code == 0) {
    table->ResetIndent();
    table->AppendLine("// END Action Script");
  } else {
    table->AppendLine("(" + ByteCodeText() + " UNKNOWN TRANSLATION)");
  }
  return 1;
}

int ActionRecord::FirstVersion() const { return -1; }

std::string ActionRecord::ByteCodeText() const {
  return m_code == 0 ? codeText() + " ActionEnd\n" : codeText();
}

std::string rawBytesLine(std::span<const std::uint8_t> bytes, ByteCodeKind kind) {
  std::string line;
  for (const std::uint8_t byte : bytes) {
    switch (kind) {
      case ByteCodeKind::Character:
        if (byte != 0) {
          line.push_back(static_cast<char>(byte));
          line.push_back(' ');
        }
        break;
      case ByteCodeKind::Integer:
        line += std::to_string(byte) + ' ';
        break;
      case ByteCodeKind::Hex:
      default:
        line += formatText("0x%x ", byte);
        break;
    }
  }
  line.push_back('\n');
  return line;
}

bool ActionRecord::IsQuotedInteger(std::string_view text) {
  if (text.size() <= 2) return true;
  const std::string_view inner = text.substr(1, text.size() - 2);
  return std::all_of(inner.begin(), inner.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ActionRecord::codeText() const { return "CODE:" + std::to_string(m_code); }

std::span<const std::uint8_t> ActionRecord::body() const {
  return m_size > kHeaderSize ? bytes().subspan(kHeaderSize) : std::span<const std::uint8_t>();
}

BitReader ActionRecord::readerAt(std::uint32_t offset) const {
  return BitReader(offset < m_size ? bytes().subspan(offset) : std::span<const std::uint8_t>());
}

std::optional<std::string_view> ActionRecord::terminatedTextAt(std::uint32_t offset) const {
  const std::string_view text = textAt(offset);
  if (offset + text.size() >= m_size) return std::nullopt;
  return text;
}

std::string_view ActionRecord::textAt(std::uint32_t offset) const {
  if (offset >= m_size) return {};
  const auto* begin = reinterpret_cast<const char*>(m_data + offset);
  const std::string_view rest(begin, m_size - offset);
  return rest.substr(0, rest.find('\0'));
}

void ActionRecord::RenderBinaryOperator(ExpressionTable& table, std::string_view operatorText, bool parenthesise) {
  std::string right = ExpressionTable::StackText(table.PopValue());
  std::string left = ExpressionTable::StackText(table.PopValue());
  if (IsQuotedInteger(left)) left = withoutQuotes(left);
  if (IsQuotedInteger(right)) right = withoutQuotes(right);
  std::string text = left + ' ' + std::string(operatorText) + ' ' + right;
  if (parenthesise) text = '(' + text + ')';
  pushExpression(table, std::move(text));
}

void ActionRecord::renderLaterAction(ExpressionTable& table) const {
  table.AppendLine(codeText() + "FLASH " + std::to_string(FirstVersion()) + " Action\n");
}

void ActionRecord::pushExpression(ExpressionTable& table, std::string text) {
  m_result.text = std::move(text);
  table.PushValue(m_result, true);
}

void ActionRecord::pushPlain(ExpressionTable& table, std::string text) {
  m_result.text = std::move(text);
  table.PushValue(m_result, false);
}

void ActionRecord::appendResolved(ExpressionTable& table, std::string_view line) {
  table.AppendLine(table.ResolveText(line));
}

void ActionRecord::deliver(ExpressionTable& table, std::string text, ResultForm form) {
  if (form == ResultForm::Expression) {
    pushExpression(table, std::move(text));
  } else {
    appendResolved(table, text);
  }
}

std::string ActionRecord::truncatedText(std::string_view label) const {
  return codeText() + std::string(label) + "\t[Truncated Record]\n";
}

int ActionRecord::renderTruncated(ExpressionTable& table) const {
  table.AppendLine("(" + codeText() + " TRUNCATED ACTION)");
  return 1;
}

}  // namespace orvane
