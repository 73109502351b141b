#include "search/TextMatcher.h"

#include <regex.h>

#include <algorithm>
#include <functional>

namespace orvane {

namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isWordByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
         (byte >= 'A' && byte <= 'Z');
}

}  // namespace

struct TextMatcher::CompiledRegex {
  regex_t regex{};
  bool compiled = false;
  ~CompiledRegex() {
    if (compiled) regfree(&regex);
  }
};

TextMatcher::TextMatcher(SearchQuery query) : m_query(std::move(query)) {
  if (!m_query.regex) return;
  auto compiled = std::make_unique<CompiledRegex>();
  int flags = REG_EXTENDED | REG_NEWLINE;
  if (m_query.ignoreCase) flags |= REG_ICASE;
  const int status = regcomp(&compiled->regex, m_query.pattern.c_str(), flags);
  if (status != 0) {
    std::string text(256, '\0');
    const std::size_t size = regerror(status, &compiled->regex, text.data(), text.size());
    text.resize(size == 0 ? 0 : std::min(size, text.size()) - 1);
    m_error = text.empty() ? "bad regular expression" : text;
    return;
  }
  compiled->compiled = true;
  m_regex = std::move(compiled);
}

TextMatcher::~TextMatcher() = default;
TextMatcher::TextMatcher(TextMatcher&&) noexcept = default;
TextMatcher& TextMatcher::operator=(TextMatcher&&) noexcept = default;

std::optional<TextMatch> TextMatcher::findCandidate(std::string_view text, std::size_t from) const {
  if (from >= text.size() || m_query.pattern.empty() || !valid()) return std::nullopt;
  if (m_regex) {
    regmatch_t match[1];
    match[0].rm_so = static_cast<regoff_t>(from);
    match[0].rm_eo = static_cast<regoff_t>(text.size());
    int flags = REG_STARTEND;
    if (from > 0 && text[from - 1] != '\n') flags |= REG_NOTBOL;
    if (regexec(&m_regex->regex, text.data(), 1, match, flags) != 0) return std::nullopt;
    return TextMatch{static_cast<std::size_t>(match[0].rm_so),
                     static_cast<std::size_t>(match[0].rm_eo - match[0].rm_so)};
  }
  const std::string_view pattern = m_query.pattern;
  std::size_t found = std::string_view::npos;
  if (m_query.ignoreCase) {
    const auto rest = text.substr(from);
    const std::boyer_moore_horspool_searcher searcher(
        pattern.begin(), pattern.end(), [](char c) { return std::hash<char>{}(asciiLower(c)); },
        [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    const auto hit = std::search(rest.begin(), rest.end(), searcher);
    if (hit != rest.end()) found = from + static_cast<std::size_t>(hit - rest.begin());
  } else {
    found = text.find(pattern, from);
  }
  if (found == std::string_view::npos) return std::nullopt;
  return TextMatch{found, pattern.size()};
}

bool TextMatcher::isWholeWord(std::string_view text, const TextMatch& match) const {
  const std::size_t end = match.offset + match.length;
  return (match.offset == 0 || !isWordByte(text[match.offset - 1])) && (end >= text.size() || !isWordByte(text[end]));
}

std::optional<TextMatch> TextMatcher::find(std::string_view text, std::size_t from) const {
  while (const std::optional<TextMatch> candidate = findCandidate(text, from)) {
    if (candidate->length > 0 && (!m_query.wholeWord || isWholeWord(text, *candidate))) return candidate;
    from = candidate->offset + 1;
  }
  return std::nullopt;
}

std::vector<TextMatch> TextMatcher::findAll(std::string_view text) const {
  std::vector<TextMatch> matches;
  std::size_t from = 0;
  while (const std::optional<TextMatch> match = find(text, from)) {
    matches.push_back(*match);
    from = match->offset + match->length;
  }
  return matches;
}

}  // namespace orvane
