// Finding a pattern in 8-bit text: plain or as an extended regular expression, with or
// without case, optionally as a whole word.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct SearchQuery {
  std::string pattern;
  bool regex = false;       // an extended regular expression (as grep -E reads it)
  bool ignoreCase = false;  // ASCII letters match either case
  bool wholeWord = false;   // no letter, digit, '_' or byte above 127 right before or after
};

struct TextMatch {
  std::size_t offset = 0;
  std::size_t length = 0;

  bool operator==(const TextMatch&) const = default;
};

/// A compiled query. Matches are never empty: an empty pattern, or a regular expression
/// where it matches only empty text, finds nothing. A regular expression never matches
/// across a line feed.
class TextMatcher {
 public:
  explicit TextMatcher(SearchQuery query);
  ~TextMatcher();
  TextMatcher(TextMatcher&&) noexcept;
  TextMatcher& operator=(TextMatcher&&) noexcept;

  /// False for a regular expression that does not compile; error() then says why.
  bool valid() const { return m_error.empty(); }
  const std::string& error() const { return m_error; }
  const SearchQuery& query() const { return m_query; }

  /// The first match that starts at or after `from`.
  std::optional<TextMatch> find(std::string_view text, std::size_t from = 0) const;
  /// Every match, left to right, none overlapping.
  std::vector<TextMatch> findAll(std::string_view text) const;

 private:
  std::optional<TextMatch> findCandidate(std::string_view text, std::size_t from) const;
  bool isWholeWord(std::string_view text, const TextMatch& match) const;

  struct CompiledRegex;
  SearchQuery m_query;
  std::unique_ptr<CompiledRegex> m_regex;
  std::string m_error;
};

}  // namespace orvane
