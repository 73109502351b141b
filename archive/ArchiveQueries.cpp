#include "archive/ArchiveQueries.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>

namespace orvane {

namespace {

struct MatchedLine {
  std::size_t line = 0;
  std::string text;
};

/// The lines of each matched text, filled by the auxiliary function `orvane_lines` that
/// the search calls once per matched row.
class MatchedLines {
 public:
  void add(std::int64_t textId, std::vector<MatchedLine> lines) { m_lines[textId] = std::move(lines); }
  const std::vector<MatchedLine>* find(std::int64_t textId) const {
    const auto found = m_lines.find(textId);
    return found == m_lines.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<std::int64_t, std::vector<MatchedLine>> m_lines;
};

/// Counts the tokens of a text as the index tokenises it and keeps the byte offsets of the
/// wanted ones (token numbers in increasing order).
struct TokenWalk {
  const std::vector<int>* wanted = nullptr;
  std::size_t nextWanted = 0;
  int token = 0;
  std::vector<int> offsets;
};

int visitToken(void* context, int flags, const char*, int, int start, int) {
  auto& walk = *static_cast<TokenWalk*>(context);
  if ((flags & FTS5_TOKEN_COLOCATED) != 0) return SQLITE_OK;
  while (walk.nextWanted < walk.wanted->size() && (*walk.wanted)[walk.nextWanted] == walk.token) {
    walk.offsets.push_back(start);
    ++walk.nextWanted;
  }
  ++walk.token;
  return walk.nextWanted == walk.wanted->size() ? SQLITE_DONE : SQLITE_OK;
}

/// The lines of `text` that hold one of the byte offsets (in increasing order).
std::vector<MatchedLine> linesAt(std::string_view text, const std::vector<int>& offsets) {
  std::vector<MatchedLine> lines;
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (const int offset : offsets) {
    const auto at = static_cast<std::size_t>(offset);
    for (std::size_t feed = text.find('\n', lineStart); feed != std::string_view::npos && feed < at;
         feed = text.find('\n', lineStart)) {
      ++line;
      lineStart = feed + 1;
    }
    if (!lines.empty() && lines.back().line == line) continue;
    const std::size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
    lines.push_back({line, std::string(text.substr(lineStart, lineEnd - lineStart))});
  }
  return lines;
}

void matchLines(const Fts5ExtensionApi* api, Fts5Context* fts, sqlite3_context* result, int, sqlite3_value**) {
  auto& matched = *static_cast<MatchedLines*>(api->xUserData(fts));
  int count = 0;
  if (api->xInstCount(fts, &count) != SQLITE_OK) {
    sqlite3_result_error(result, "cannot read the matches", -1);
    return;
  }
  std::vector<int> tokens;
  for (int i = 0; i < count; ++i) {
    int phrase = 0;
    int column = 0;
    int offset = 0;
    if (api->xInst(fts, i, &phrase, &column, &offset) == SQLITE_OK && column == 0) tokens.push_back(offset);
  }
  std::sort(tokens.begin(), tokens.end());
  tokens.erase(std::unique(tokens.begin(), tokens.end()), tokens.end());
  const char* text = nullptr;
  int length = 0;
  if (api->xColumnText(fts, 0, &text, &length) != SQLITE_OK || text == nullptr) {
    sqlite3_result_null(result);
    return;
  }
  TokenWalk walk;
  walk.wanted = &tokens;
  if (!tokens.empty()) api->xTokenize(fts, text, length, &walk, visitToken);
  matched.add(api->xRowid(fts), linesAt(std::string_view(text, static_cast<std::size_t>(length)), walk.offsets));
  sqlite3_result_null(result);
}

fts5_api* fts5Of(sqlite3* db) {
  fts5_api* api = nullptr;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) == SQLITE_OK) {
    sqlite3_bind_pointer(statement, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
  }
  sqlite3_finalize(statement);
  return api;
}

std::string kindList(std::size_t count) {
  std::string list;
  for (std::size_t i = 0; i < count; ++i) list += (i == 0 ? "?" : ", ?") + std::to_string(i + 2);
  return list;
}

}  // namespace

std::string movieName(const std::string& path, std::uint64_t position) {
  return position == 0 ? path : path + "@" + std::to_string(position);
}

std::size_t searchArchive(const Database& db, const ArchiveQuery& query,
                          const std::function<void(const ArchiveHit&)>& onHit) {
  MatchedLines matched;
  fts5_api* api = fts5Of(db.handle());
  if (api == nullptr || api->xCreateFunction(api, "orvane_lines", &matched, matchLines, nullptr) != SQLITE_OK)
    throw ArchiveError("the full-text index cannot be searched");
  SqlStatement lines = db.prepare("SELECT orvane_lines(text_search) FROM text_search WHERE text_search MATCH ?1");
  lines.bind(1, query.match);
  try {
    while (lines.step()) {
    }
  } catch (const ArchiveError&) {
    throw BadQuery(std::string("bad query: ") + sqlite3_errmsg(db.handle()));
  }

  std::string sql =
      "SELECT files.path, movies.position, objects.serial, objects.kind, objects.name, objects.text_id"
      " FROM objects JOIN movies ON movies.id = objects.movie_id JOIN files ON files.id = movies.file_id"
      " WHERE objects.text_id IN (SELECT rowid FROM text_search WHERE text_search MATCH ?1)";
  if (!query.kinds.empty()) sql += " AND objects.kind IN (" + kindList(query.kinds.size()) + ")";
  sql += " ORDER BY files.path, movies.position, objects.serial";
  SqlStatement objects = db.prepare(sql);
  objects.bind(1, query.match);
  for (std::size_t i = 0; i < query.kinds.size(); ++i) objects.bind(static_cast<int>(i + 2), query.kinds[i]);
  std::size_t hits = 0;
  while (objects.step()) {
    const std::vector<MatchedLine>* found = matched.find(objects.integer(5));
    if (found == nullptr) continue;
    ArchiveHit hit;
    hit.movie = movieName(std::string(objects.text(0)), static_cast<std::uint64_t>(objects.integer(1)));
    hit.serial = static_cast<std::int32_t>(objects.integer(2));
    hit.kind = objects.text(3);
    hit.object = objects.text(4);
    for (const MatchedLine& line : *found) {
      if (query.limit != 0 && hits == query.limit) return hits;
      hit.line = line.line;
      hit.text = line.text;
      onHit(hit);
      ++hits;
    }
  }
  return hits;
}

std::vector<SharedObject> sharedObjects(const Database& db) {
  SqlStatement places = db.prepare(
      "WITH shared AS (SELECT sha256, kind, count(DISTINCT movie_id) AS movies FROM objects WHERE length > 0"
      " GROUP BY sha256, kind HAVING count(DISTINCT movie_id) > 1)"
      " SELECT objects.kind, objects.sha256, objects.length, shared.movies, files.path, movies.position,"
      " objects.serial, objects.name"
      " FROM shared JOIN objects ON objects.sha256 = shared.sha256 AND objects.kind = shared.kind"
      " JOIN movies ON movies.id = objects.movie_id JOIN files ON files.id = movies.file_id"
      " ORDER BY objects.kind, shared.movies DESC, objects.sha256, files.path, movies.position, objects.serial");
  std::vector<SharedObject> shared;
  while (places.step()) {
    if (shared.empty() || shared.back().kind != places.text(0) || shared.back().sha256 != places.text(1)) {
      SharedObject& object = shared.emplace_back();
      object.kind = places.text(0);
      object.sha256 = places.text(1);
      object.length = static_cast<std::uint64_t>(places.integer(2));
      object.movies = static_cast<std::size_t>(places.integer(3));
    }
    shared.back().places.push_back({movieName(std::string(places.text(4)), static_cast<std::uint64_t>(places.integer(5))),
                                    static_cast<std::int32_t>(places.integer(6)), std::string(places.text(7))});
  }
  return shared;
}

}  // namespace orvane
