#include "actions/assembly/ActionAssembler.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "actions/assembly/AssemblySyntax.h"
#include "actions/assembly/AssemblyTable.h"
#include "actions/assembly/RecordFields.h"

namespace orvane {

namespace {

constexpr std::size_t kLargestField = 0xFFFF;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

/// Reads the rest of the line as bytes written as two hexadecimal digits each.
bool readHexBytes(TokenCursor& cursor, std::vector<std::uint8_t>& bytes, AssemblyError& error) {
  while (!cursor.atEnd()) {
    const Token& token = cursor.take();
    const int high = token.text.size() == 2 ? hexDigit(token.text[0]) : -1;
    const int low = token.text.size() == 2 ? hexDigit(token.text[1]) : -1;
    if (token.kind == Token::Kind::String || token.kind == Token::Kind::Punctuation || high < 0 || low < 0) {
      error = cursor.errorAt(token, "expected a byte as two hexadecimal digits, not " + std::string(token.text));
      return false;
    }
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return true;
}

/// The records of one block as they are assembled: bytes, labels, branches waiting for
/// their labels and the bodies still open.
class BlockBuilder {
 public:
  explicit BlockBuilder(std::vector<std::uint8_t>& out) : m_out(out) {}

  bool addLabel(const Token& name, TokenCursor& cursor, AssemblyError& error) {
    const auto [entry, added] =
        m_labels.try_emplace(std::string(name.text), Label{static_cast<std::uint32_t>(m_out.size()), cursor.line()});
    if (added) return true;
    error = cursor.errorAt(name, "the label \"" + std::string(name.text) + "\" is already defined on line " +
                                     std::to_string(entry->second.line));
    return false;
  }

  bool addRecord(const Token& name, TokenCursor& cursor, AssemblyError& error) {
    if (name.isWord(syntax::kRecord)) return addCodedRecord(name, cursor, error);
    if (name.isWord(syntax::kBytes)) return readHexBytes(cursor, m_out, error);
    const AssemblyInstruction* instruction = instructionNamed(name.text);
    if (instruction == nullptr) {
      error = cursor.errorAt(name, "unknown record name \"" + std::string(name.text) + "\"");
      return false;
    }
    const OperandForm form = instruction->form;
    RecordFields fields;
    if (form == OperandForm::Branch) return addBranch(*instruction, cursor, error);
    if (bodyCount(form) == 0) {
      return syntax::parseFields(cursor, form, fields, error) && emit(*instruction, fields, name, cursor, error);
    }
    syntax::BodyHeader header;
    if (!syntax::parseBodyHeader(cursor, form, fields, header, error)) return false;
    const std::size_t start = m_out.size();
    if (!emit(*instruction, fields, name, cursor, error)) return false;
    if (header.nested) {
      m_open.push_back({*instruction, start, m_out.size(), std::move(fields), header.impliedFlags, cursor.line(),
                        name.column});
    }
    return true;
  }

  bool hasOpenBodies() const { return !m_open.empty(); }

  /// "}" and what follows it: "catch {" or "finally {" inside a try, else nothing.
  bool closeBody(TokenCursor& cursor, AssemblyError& error) {
    OpenBody& body = m_open.back();
    if (!finishSection(body, error)) return false;
    const bool isTry = body.instruction.form == OperandForm::TryBlock;
    if (isTry && cursor.peek() != nullptr && cursor.peek()->kind == Token::Kind::Word) {
      const Token& keyword = cursor.take();
      std::size_t next = 0;
      if (keyword.isWord("catch")) next = 1;
      if (keyword.isWord("finally")) next = 2;
      if (next == 0 || next <= body.section) {
        error = cursor.errorAt(keyword, next == 0 ? "expected \"catch\" or \"finally\" after \"}\""
                                                  : "\"" + std::string(keyword.text) + "\" cannot follow this section");
        return false;
      }
      if (!cursor.expect('{', error) || !cursor.expectEnd(error)) return false;
      body.section = next;
      body.shown[next] = true;
      body.sectionStart = m_out.size();
      return true;
    }
    if (!cursor.expectEnd(error)) return false;
    if (isTry && body.impliedFlags) {
      const bool inRegister = body.fields.numbers.size() > 1;
      body.fields.numbers[0] = syntax::impliedTryFlags(body.shown[1], body.shown[2], inRegister);
    }
    rewriteRecord(body);
    m_open.pop_back();
    return true;
  }

  /// Resolves the branches; false when a body is still open or a branch cannot reach.
  bool finish(AssemblyError& error) {
    if (!m_open.empty()) {
      const OpenBody& body = m_open.back();
      error = {body.line, body.column,
               "the body of " + std::string(body.instruction.name) + " opened here is not closed"};
      return false;
    }
    for (const Branch& branch : m_branches) {
      const auto label = m_labels.find(branch.label);
      if (label == m_labels.end()) {
        error = {branch.line, branch.column, "no label \"" + branch.label + "\" in this block"};
        return false;
      }
      const std::int64_t offset = static_cast<std::int64_t>(label->second.offset) - branch.recordEnd;
      if (offset < INT16_MIN || offset > INT16_MAX) {
        error = {branch.line, branch.column,
                 "the branch to \"" + branch.label + "\" spans " + std::to_string(offset) +
                     " bytes; a branch reaches at most 32767 bytes forward and 32768 back"};
        return false;
      }
      m_out[branch.field] = static_cast<std::uint8_t>(offset);
      m_out[branch.field + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(offset) >> 8);
    }
    return true;
  }

 private:
  struct Label {
    std::uint32_t offset = 0;
    std::uint32_t line = 0;
  };
  struct Branch {
    std::size_t field = 0;  // where the offset goes
    std::int64_t recordEnd = 0;
    std::string label;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
  };
  struct OpenBody {
    const AssemblyInstruction& instruction;
    std::size_t recordStart = 0;
    std::size_t sectionStart = 0;
    RecordFields fields;
    bool impliedFlags = false;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    std::size_t section = 0;
    std::array<bool, 3> shown{true, false, false};
  };

  bool emit(const AssemblyInstruction& instruction, const RecordFields& fields, const Token& name,
            TokenCursor& cursor, AssemblyError& error) {
    const std::size_t start = m_out.size();
    m_out.push_back(instruction.code);
    if (instruction.code < 0x80) return true;
    m_out.resize(start + 3);
    encodeFields(instruction.form, fields, m_out);
    return writeLength(start, name, cursor, error);
  }

  /// The length field of the long record at `start`, from the bytes after it.
  bool writeLength(std::size_t start, const Token& name, TokenCursor& cursor, AssemblyError& error) {
    const std::size_t length = m_out.size() - start - 3;
    if (length > kLargestField) {
      error = cursor.errorAt(name, "the record holds " + std::to_string(length) +
                                       " bytes after its length field; at most 65535 fit");
      return false;
    }
    m_out[start + 1] = static_cast<std::uint8_t>(length);
    m_out[start + 2] = static_cast<std::uint8_t>(length >> 8);
    return true;
  }

  bool addCodedRecord(const Token& name, TokenCursor& cursor, AssemblyError& error) {
    std::uint8_t code = 0;
    if (!cursor.readUnsigned(0xFF, code, error)) return false;
    const std::size_t start = m_out.size();
    m_out.push_back(code);
    if (code < 0x80) {
      if (cursor.atEnd()) return true;
      error = cursor.errorHere("a record of a code below 0x80 is one byte long and holds no fields");
      return false;
    }
    m_out.resize(start + 3);
    return readHexBytes(cursor, m_out, error) && writeLength(start, name, cursor, error);
  }

  bool addBranch(const AssemblyInstruction& instruction, TokenCursor& cursor, AssemblyError& error) {
    if (cursor.atEnd() || cursor.peek()->kind != Token::Kind::Word) {
      error = cursor.errorHere("expected a label, or \"offset\" and a number");
      return false;
    }
    const Token& target = cursor.take();
    std::int64_t offset = 0;
    const bool raw = target.isWord(syntax::kOffset) && !cursor.atEnd() && cursor.peek()->kind == Token::Kind::Number;
    if (raw && !cursor.readInteger(INT16_MIN, INT16_MAX, offset, error)) return false;
    if (!cursor.expectEnd(error)) return false;
    const std::size_t start = m_out.size();
    m_out.insert(m_out.end(), {instruction.code, 2, 0, static_cast<std::uint8_t>(offset),
                               static_cast<std::uint8_t>(static_cast<std::uint16_t>(offset) >> 8)});
    if (!raw) {
      m_branches.push_back(
          {start + 3, static_cast<std::int64_t>(start + 5), std::string(target.text), cursor.line(), target.column});
    }
    return true;
  }

  bool finishSection(OpenBody& body, AssemblyError& error) {
    const std::size_t size = m_out.size() - body.sectionStart;
    if (size > kLargestField) {
      error = {body.line, body.column,
               "the body of " + std::string(body.instruction.name) + " opened here holds " + std::to_string(size) +
                   " bytes; its size field holds at most 65535"};
      return false;
    }
    body.fields.bodySizes[body.section] = static_cast<std::uint32_t>(size);
    return true;
  }

  /// Writes the record again with its body sizes (and flags) known; its length stays.
  void rewriteRecord(const OpenBody& body) {
    std::vector<std::uint8_t> fields;
    encodeFields(body.instruction.form, body.fields, fields);
    std::copy(fields.begin(), fields.end(), m_out.begin() + static_cast<std::ptrdiff_t>(body.recordStart + 3));
  }

  std::vector<std::uint8_t>& m_out;
  std::unordered_map<std::string, Label> m_labels;
  std::vector<Branch> m_branches;
  std::vector<OpenBody> m_open;
};

class TextAssembler {
 public:
  TextAssembler(AssembledText& result, AssemblyError& error) : m_result(result), m_error(error) {}

  bool run(std::string_view text) {
    m_result = AssembledText{};
    std::uint32_t lineNumber = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
      const std::size_t end = std::min(text.find('\n', at), text.size());
      ++lineNumber;
      if (!line(text.substr(at, end - at), lineNumber)) return false;
      at = end + 1;
    }
    return finish();
  }

 private:
  enum class Mode { Undecided, Block, Conditions };

  bool line(std::string_view text, std::uint32_t number) {
    if (!tokenizeLine(text, m_tokens, m_error)) {
      m_error.line = number;
      return false;
    }
    if (m_tokens.empty()) return true;
    TokenCursor cursor(m_tokens, number, static_cast<std::uint32_t>(text.size() + 1));
    const Token& first = cursor.take();
    if (first.is('}')) return closeBrace(first, cursor);
    if (first.isWord(syntax::kButtonCondition) || first.isWord(syntax::kClipEvent)) return openCondition(first, cursor);
    if (first.kind != Token::Kind::Word) {
      m_error = cursor.errorAt(first, "expected a record name or a label");
      return false;
    }
    if (!enterBlock(first, cursor)) return false;
    if (cursor.accept(':')) {
      if (!m_builder->addLabel(first, cursor, m_error)) return false;
      if (cursor.atEnd()) return true;
      const Token& name = cursor.take();
      if (name.kind != Token::Kind::Word) {
        m_error = cursor.errorAt(name, "expected a record name after the label");
        return false;
      }
      return m_builder->addRecord(name, cursor, m_error);
    }
    return m_builder->addRecord(first, cursor, m_error);
  }

  /// Makes sure a record or label has a block to go into.
  bool enterBlock(const Token& first, TokenCursor& cursor) {
    if (m_mode == Mode::Undecided) {
      m_mode = Mode::Block;
      startBlock(cursor.line(), first.column);
    }
    if (m_builder) return true;
    m_error = cursor.errorAt(first, "records must stand inside an on block in a text of on blocks");
    return false;
  }

  bool openCondition(const Token& keyword, TokenCursor& cursor) {
    const bool clip = keyword.isWord(syntax::kClipEvent);
    const auto kind = clip ? AssembledText::Kind::ClipEvents : AssembledText::Kind::ButtonConditions;
    if (m_mode == Mode::Block || m_builder) {
      m_error = cursor.errorAt(keyword, m_mode == Mode::Block ? "an on block cannot follow the records of a block"
                                                              : "an on block cannot stand inside another");
      return false;
    }
    if (m_mode == Mode::Conditions && m_result.kind != kind) {
      m_error = cursor.errorAt(keyword, "a text holds either button conditions (on) or clip events (onClipEvent)");
      return false;
    }
    m_mode = Mode::Conditions;
    m_result.kind = kind;
    AssembledBlock block;
    block.line = cursor.line();
    block.column = keyword.column;
    if (!cursor.readUnsigned(clip ? 0xFFFFFFFFll : 0xFFFFll, block.events, m_error)) return false;
    if (clip && cursor.acceptWord("key")) {
      block.hasKeyCode = true;
      if (!cursor.readUnsigned(0xFF, block.keyCode, m_error)) return false;
    }
    if (!cursor.expect('{', m_error) || !cursor.expectEnd(m_error)) return false;
    m_result.blocks.push_back(std::move(block));
    m_builder.emplace(m_result.blocks.back().bytes);
    return true;
  }

  bool closeBrace(const Token& brace, TokenCursor& cursor) {
    if (m_builder && m_builder->hasOpenBodies()) return m_builder->closeBody(cursor, m_error);
    if (m_mode != Mode::Conditions || !m_builder) {
      m_error = cursor.errorAt(brace, "\"}\" closes no body");
      return false;
    }
    if (!cursor.expectEnd(m_error) || !m_builder->finish(m_error)) return false;
    m_builder.reset();
    return true;
  }

  void startBlock(std::uint32_t line, std::uint32_t column) {
    AssembledBlock block;
    block.line = line;
    block.column = column;
    m_result.blocks.push_back(std::move(block));
    m_builder.emplace(m_result.blocks.back().bytes);
  }

  bool finish() {
    if (m_mode == Mode::Undecided) startBlock(1, 1);
    if (!m_builder) return true;
    if (m_mode == Mode::Conditions && !m_builder->hasOpenBodies()) {
      const AssembledBlock& block = m_result.blocks.back();
      m_error = {block.line, block.column, "the on block opened here is not closed"};
      return false;
    }
    return m_builder->finish(m_error);
  }

  AssembledText& m_result;
  AssemblyError& m_error;
  Mode m_mode = Mode::Undecided;
  std::vector<Token> m_tokens;
  std::optional<BlockBuilder> m_builder;
};

}  // namespace

bool assembleActionText(std::string_view text, AssembledText& result, AssemblyError& error) {
  return TextAssembler(result, error).run(text);
}

}  // namespace orvane
