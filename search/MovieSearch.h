// Find in Movie: the text of every action object in one translation mode, searched line by
// line; the command-line tool's grep and the desktop program's search panel both run it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/TranslationMode.h"
#include "search/SearchableObjects.h"
#include "search/TextMatcher.h"

namespace orvane {

class ScanResult;

/// One line of a text that holds a match.
struct LineHit {
  std::size_t line = 0;        // counted from 1
  std::size_t lineOffset = 0;  // where the line starts in the text
  std::string text;            // the line without its line feed
  TextMatch match;             // the line's first match, its offset counted from the line's start
};

/// The lines of `text` that hold a match, each once, in order.
std::vector<LineHit> matchingLines(std::string_view text, const TextMatcher& matcher);

struct SearchHit {
  SearchableObject object;
  std::string displayName;
  LineHit line;
};

/// The mode a search reads when none is chosen.
TranslationMode defaultSearchMode();

/// "display name : line : text", the way the hits are listed.
std::string hitText(const SearchHit& hit);

/// Searches the texts that the action windows show, in one mode. The scan result must not
/// change while a search runs; messages of the translation (oversized records, failed
/// renderings) are not shown.
class MovieSearch {
 public:
  using HitSink = std::function<void(const SearchHit&)>;
  /// Called after each object with the number done and the total; false stops the search.
  using Progress = std::function<bool(std::size_t done, std::size_t total)>;

  MovieSearch(const ScanResult& result, TranslationMode mode);

  /// Runs the search; true when every object was searched (not stopped by `progress`).
  bool run(const TextMatcher& matcher, const HitSink& onHit, const Progress& progress = {}) const;

 private:
  std::vector<SearchableObject> m_objects;
  TranslationMode m_mode;
};

}  // namespace orvane
