// The colouring of action texts: keyword lists per ActionScript version and one pass over
// the text that yields coloured ranges for strings, comments and keywords.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "shell/AppSettings.h"

namespace orvane {

struct Keyword {
  std::string text;
  Rgb colour = 0;
};

/// The keywords of one ActionScript version with their colours, in table order, plus the
/// string and comment colours. Version 3 is the ActionScript 3 listing: the language's
/// keywords and the mnemonics of the instruction table (branches in the conditional colour).
class KeywordTable {
 public:
  /// Empties the table and loads the lists of ActionScript 3 (3), version 5 (5) or version 4
  /// (any other).
  void load(int version, const SyntaxColours& colours);
  const std::vector<Keyword>& keywords() const { return m_keywords; }
  Rgb stringColour() const { return m_stringColour; }
  Rgb commentColour() const { return m_commentColour; }

 private:
  void addList(std::string_view list, Rgb colour);
  void addMnemonics(const SyntaxColours& colours);

  std::vector<Keyword> m_keywords;
  Rgb m_stringColour = SyntaxColours{}.strings;
  Rgb m_commentColour = SyntaxColours{}.comments;
};

struct ColourRange {
  std::size_t start = 0;
  std::size_t length = 0;
  Rgb colour = 0;

  bool operator==(const ColourRange&) const = default;
};

/// Characters that may stand before and after a keyword.
bool isKeywordDelimiter(char c);

/// The coloured ranges of `text` in increasing, non-overlapping order; everything else
/// keeps the base format (black). Lines end in a line feed, optionally after a carriage
/// return; a line comment whose line ends in a backslash continues on the next line.
std::vector<ColourRange> colourRanges(std::string_view text, const KeywordTable& table);

}  // namespace orvane
