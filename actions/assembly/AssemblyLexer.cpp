#include "actions/assembly/AssemblyLexer.h"

#include "actions/assembly/AssemblyLiterals.h"

namespace orvane {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isWordCharacter(char c) { return isLetter(c) || isDigit(c); }
int hexValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr std::string_view kNegativeInfinity = "-Infinity";

class LineLexer {
 public:
  LineLexer(std::string_view line, std::vector<Token>& tokens, AssemblyError& error)
      : m_line(line), m_tokens(tokens), m_error(error) {}

  bool run() {
    m_tokens.clear();
    while (m_at < m_line.size()) {
      const char c = m_line[m_at];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++m_at;
      } else if (c == '/' && m_line.substr(m_at).starts_with("//")) {
        return true;
      } else if (c == '"') {
        if (!string()) return false;
      } else if (startsNumber()) {
        number();
      } else if (isLetter(c)) {
        word();
      } else if (c == '(' || c == ')' || c == '{' || c == '}' || c == ',' || c == ':') {
        push(Token::Kind::Punctuation, m_at, m_at + 1);
        ++m_at;
      } else {
        return fail(m_at, "unexpected character '" + std::string(1, c) + "'");
      }
    }
    return true;
  }

 private:
  bool fail(std::size_t at, std::string message) {
    m_error.column = static_cast<std::uint32_t>(at + 1);
    m_error.message = std::move(message);
    return false;
  }

  Token& push(Token::Kind kind, std::size_t begin, std::size_t end) {
    Token& token = m_tokens.emplace_back();
    token.kind = kind;
    token.text = m_line.substr(begin, end - begin);
    token.column = static_cast<std::uint32_t>(begin + 1);
    return token;
  }

  bool startsNumber() const {
    const char c = m_line[m_at];
    if (isDigit(c)) return true;
    if (c != '-' && c != '+' && c != '.') return false;
    if (m_line.substr(m_at).starts_with(kNegativeInfinity)) return true;
    const std::size_t next = m_at + 1;
    if (next >= m_line.size()) return false;
    return isDigit(m_line[next]) || (c != '.' && m_line[next] == '.');
  }

  void number() {
    const std::size_t begin = m_at;
    if (m_line.substr(m_at).starts_with(kNegativeInfinity)) {
      m_at += kNegativeInfinity.size();
    } else {
      if (m_line[m_at] == '-' || m_line[m_at] == '+') ++m_at;
      const bool hex = m_line.substr(m_at).starts_with("0x") || m_line.substr(m_at).starts_with("0X");
      while (m_at < m_line.size()) {
        const char c = m_line[m_at];
        const bool exponentSign =
            !hex && (c == '+' || c == '-') && (m_line[m_at - 1] == 'e' || m_line[m_at - 1] == 'E');
        if (!isWordCharacter(c) && c != '.' && !exponentSign) break;
        ++m_at;
      }
    }
    push(Token::Kind::Number, begin, m_at);
  }

  void word() {
    const std::size_t begin = m_at;
    while (m_at < m_line.size() && isWordCharacter(m_line[m_at])) ++m_at;
    push(Token::Kind::Word, begin, m_at);
  }

  bool string() {
    const std::size_t begin = m_at++;
    std::string value;
    while (true) {
      if (m_at >= m_line.size()) return fail(begin, "the string is not closed");
      const char c = m_line[m_at];
      if (c == '"') break;
      if (c != '\\') {
        value += c;
        ++m_at;
        continue;
      }
      if (m_at + 1 >= m_line.size()) return fail(m_at, "the string is not closed");
      const char escaped = m_line[m_at + 1];
      switch (escaped) {
        case '"': value += '"'; break;
        case '\\': value += '\\'; break;
        case 'n': value += '\n'; break;
        case 'r': value += '\r'; break;
        case 't': value += '\t'; break;
        case 'x': {
          const int high = m_at + 2 < m_line.size() ? hexValue(m_line[m_at + 2]) : -1;
          const int low = m_at + 3 < m_line.size() ? hexValue(m_line[m_at + 3]) : -1;
          if (high < 0 || low < 0) return fail(m_at, "\\x takes two hexadecimal digits");
          if (high == 0 && low == 0) return fail(m_at, "a string cannot hold a zero byte");
          value += static_cast<char>(high * 16 + low);
          m_at += 2;
          break;
        }
        default: return fail(m_at, "unknown escape '\\" + std::string(1, escaped) + "'");
      }
      m_at += 2;
    }
    ++m_at;
    push(Token::Kind::String, begin, m_at).value = std::move(value);
    return true;
  }

  std::string_view m_line;
  std::vector<Token>& m_tokens;
  AssemblyError& m_error;
  std::size_t m_at = 0;
};

std::string describe(const Token& token) {
  switch (token.kind) {
    case Token::Kind::String: return "a string";
    case Token::Kind::Number: return "the number " + std::string(token.text);
    default: return "\"" + std::string(token.text) + "\"";
  }
}

}  // namespace

bool Token::isWord(std::string_view word) const { return kind == Kind::Word && equalsIgnoringCase(text, word); }

bool tokenizeLine(std::string_view line, std::vector<Token>& tokens, AssemblyError& error) {
  if (line.find('\0') != std::string_view::npos) {
    error.column = static_cast<std::uint32_t>(line.find('\0') + 1);
    error.message = "the text holds a zero byte";
    return false;
  }
  return LineLexer(line, tokens, error).run();
}

bool TokenCursor::accept(char punctuation) {
  if (atEnd() || !m_tokens[m_next].is(punctuation)) return false;
  ++m_next;
  return true;
}

bool TokenCursor::acceptWord(std::string_view word) {
  if (atEnd() || !m_tokens[m_next].isWord(word)) return false;
  ++m_next;
  return true;
}

AssemblyError TokenCursor::errorHere(std::string message) const {
  return {m_line, atEnd() ? m_endColumn : m_tokens[m_next].column, std::move(message)};
}

AssemblyError TokenCursor::errorAt(const Token& token, std::string message) const {
  return {m_line, token.column, std::move(message)};
}

bool TokenCursor::expect(char punctuation, AssemblyError& error) {
  if (accept(punctuation)) return true;
  error = errorHere(std::string("expected \"") + punctuation + "\"" +
                    (atEnd() ? std::string(" at the end of the line") : ", not " + describe(*peek())));
  return false;
}

bool TokenCursor::readString(std::string& value, AssemblyError& error) {
  if (atEnd() || peek()->kind != Token::Kind::String) {
    error = errorHere(atEnd() ? "expected a string" : "expected a string, not " + describe(*peek()));
    return false;
  }
  value = take().value;
  return true;
}

bool TokenCursor::readInteger(std::int64_t minimum, std::int64_t maximum, std::int64_t& value,
                              AssemblyError& error) {
  if (atEnd() || peek()->kind != Token::Kind::Number) {
    error = errorHere(atEnd() ? "expected a number" : "expected a number, not " + describe(*peek()));
    return false;
  }
  const Token& token = take();
  const std::optional<std::int64_t> number = parseInteger(token.text);
  if (!number) {
    error = errorAt(token, "expected an integer, not " + std::string(token.text));
    return false;
  }
  if (*number < minimum || *number > maximum) {
    error = errorAt(token, "the value " + std::string(token.text) + " is not between " + std::to_string(minimum) +
                               " and " + std::to_string(maximum));
    return false;
  }
  value = *number;
  return true;
}

bool TokenCursor::readWord(std::string_view& word, AssemblyError& error) {
  if (atEnd() || peek()->kind != Token::Kind::Word) {
    error = errorHere(atEnd() ? "expected a name" : "expected a name, not " + describe(*peek()));
    return false;
  }
  word = take().text;
  return true;
}

bool TokenCursor::expectEnd(AssemblyError& error) const {
  if (atEnd()) return true;
  error = errorHere("unexpected " + describe(*peek()) + " at the end of the record");
  return false;
}

}  // namespace orvane
