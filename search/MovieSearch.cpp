#include "search/MovieSearch.h"

#include <algorithm>

#include "movie/MovieObject.h"
#include "platform/MessageSink.h"

namespace orvane {

std::vector<LineHit> matchingLines(std::string_view text, const TextMatcher& matcher) {
  std::vector<LineHit> hits;
  std::size_t line = 1;
  std::size_t lineStart = 0;
  std::size_t from = 0;
  while (const std::optional<TextMatch> match = matcher.find(text, from)) {
    // Step to the line that holds the match, counting the line feeds on the way.
    for (std::size_t feed = text.find('\n', lineStart); feed != std::string_view::npos && feed < match->offset;
         feed = text.find('\n', lineStart)) {
      ++line;
      lineStart = feed + 1;
    }
    const std::size_t lineEnd = std::min(text.find('\n', match->offset), text.size());
    hits.push_back({line, lineStart, std::string(text.substr(lineStart, lineEnd - lineStart)),
                    {match->offset - lineStart, match->length}});
    if (lineEnd >= text.size()) break;
    from = lineEnd + 1;
  }
  return hits;
}

TranslationMode defaultSearchMode() { return TranslationMode::Source; }

std::string hitText(const SearchHit& hit) {
  return hit.displayName + " : " + std::to_string(hit.line.line) + " : " + hit.line.text;
}

MovieSearch::MovieSearch(const ScanResult& result, TranslationMode mode)
    : m_objects(searchableObjects(result)), m_mode(mode) {}

bool MovieSearch::run(const TextMatcher& matcher, const HitSink& onHit, const Progress& progress) const {
  QuietMessageSink quiet;
  ObjectWindowTexts texts;
  std::size_t done = 0;
  for (const SearchableObject& object : m_objects) {
    const std::string text = texts.text(object.object, m_mode, quiet);
    const std::vector<LineHit> lines = matchingLines(text, matcher);
    if (!lines.empty()) {
      const std::string name = object.object->describe(false);
      for (const LineHit& line : lines) onHit({object, name, line});
    }
    ++done;
    if (progress && !progress(done, m_objects.size())) return false;
  }
  return true;
}

}  // namespace orvane
