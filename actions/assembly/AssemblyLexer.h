// The tokens of one line of an assembly text, and the cursor that the parsers read them with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// Where in the text and what is wrong; lines and columns count from 1 (a column counts
/// bytes, a tab as one).
struct AssemblyError {
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string message;
};

struct Token {
  enum class Kind : std::uint8_t {
    Word,         // a name: letters, digits and '_', not starting with a digit
    Number,       // digits, letters, '_' and '.' after a digit or a sign ("-Infinity" too)
    String,       // a quoted string; `value` holds its bytes
    Punctuation,  // one of ( ) { } , :
  };
  Kind kind = Kind::Word;
  std::string_view text;  // as written (a string with its quotes)
  std::string value;
  std::uint32_t column = 0;

  bool is(char punctuation) const { return kind == Kind::Punctuation && text[0] == punctuation; }
  /// A word equal to `word` but for the case of its letters.
  bool isWord(std::string_view word) const;
};

/// Splits one line (without its line break) into tokens up to its end or a "//" comment.
/// False with `error` set (its line left to the caller) for a character that starts no
/// token, a string that is not closed, a bad escape or a zero byte in a string.
[[nodiscard]] bool tokenizeLine(std::string_view line, std::vector<Token>& tokens, AssemblyError& error);

/// Reads the tokens of one line in order; an error names the line and the column of the
/// token it is about (or the end of the line).
class TokenCursor {
 public:
  TokenCursor(const std::vector<Token>& tokens, std::uint32_t line, std::uint32_t endColumn)
      : m_tokens(tokens), m_line(line), m_endColumn(endColumn) {}

  bool atEnd() const { return m_next >= m_tokens.size(); }
  const Token* peek() const { return atEnd() ? nullptr : &m_tokens[m_next]; }
  const Token& take() { return m_tokens[m_next++]; }
  /// Takes the next token when it is that punctuation or word.
  bool accept(char punctuation);
  bool acceptWord(std::string_view word);

  /// An error at the next token (or the end of the line).
  AssemblyError errorHere(std::string message) const;
  AssemblyError errorAt(const Token& token, std::string message) const;
  std::uint32_t line() const { return m_line; }

  /// Each reads the next token as what it names; on anything else `error` says what was
  /// expected. Numbers are checked against [minimum, maximum].
  [[nodiscard]] bool expect(char punctuation, AssemblyError& error);
  [[nodiscard]] bool readString(std::string& value, AssemblyError& error);
  [[nodiscard]] bool readInteger(std::int64_t minimum, std::int64_t maximum, std::int64_t& value, AssemblyError& error);
  template <class Unsigned>
  [[nodiscard]] bool readUnsigned(std::int64_t maximum, Unsigned& value, AssemblyError& error) {
    std::int64_t number = 0;
    if (!readInteger(0, maximum, number, error)) return false;
    value = static_cast<Unsigned>(number);
    return true;
  }
  [[nodiscard]] bool readWord(std::string_view& word, AssemblyError& error);
  /// Fails unless the line has no more tokens.
  [[nodiscard]] bool expectEnd(AssemblyError& error) const;

 private:
  const std::vector<Token>& m_tokens;
  std::size_t m_next = 0;
  std::uint32_t m_line;
  std::uint32_t m_endColumn;
};

}  // namespace orvane
