#include "abcsource/AbcIdentifiers.h"

#include <algorithm>
#include <array>

namespace orvane {

namespace {

/// The words the compiler refuses as a name, even after a dot (`default`, `private`,
/// `protected` and `public` it takes after a dot, but not in a declaration).
constexpr std::array<std::string_view, 43> kReservedWords = {
    "as",      "break",  "case",       "catch",     "class",   "const",    "continue", "default",
    "delete",  "do",     "else",       "extends",   "false",   "finally",  "for",      "function",
    "if",      "implements", "import", "in",        "include", "instanceof", "interface", "is",
    "new",     "null",   "package",    "private",   "protected", "public", "return",   "super",
    "switch",  "this",   "throw",      "true",      "try",     "typeof",   "use",      "var",
    "void",    "while",  "with",
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isReserved(std::string_view name) {
  return std::find(kReservedWords.begin(), kReservedWords.end(), name) != kReservedWords.end();
}

}  // namespace

bool isIdentifier(std::string_view name) {
  if (name.empty() || isDigit(name.front())) return false;
  if (!std::all_of(name.begin(), name.end(), [](char c) { return isLetter(c) || isDigit(c); })) return false;
  return !isReserved(name);
}

std::string sourceIdentifier(std::string_view name) {
  if (isIdentifier(name)) return std::string(name);
  if (name.empty()) return "$";
  if (isReserved(name)) return std::string(name) + "$";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string identifier;
  identifier.reserve(name.size() + 8);
  if (isDigit(name.front())) identifier.push_back('$');
  for (const char c : name) {
    if (isLetter(c) || isDigit(c)) {
      identifier.push_back(c);
    } else {
      const auto byte = static_cast<unsigned char>(c);
      identifier.push_back('$');
      identifier.push_back(kHex[byte >> 4]);
      identifier.push_back(kHex[byte & 0x0F]);
    }
  }
  return identifier;
}

}  // namespace orvane
