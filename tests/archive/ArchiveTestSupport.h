// Folders of synthesised movies and canonical dumps of archives, for the archive tests.
#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "archive/Sqlite.h"
#include "tests/search/SearchMovie.h"
#include "tests/support/TestFiles.h"

namespace orvane::test {

/// The score movie with `variant` appended after its end, so that every copy has a digest of
/// its own and the same objects.
inline Bytes scoreMovieVariant(std::uint8_t variant) {
  Bytes movie = scoreMovie();
  movie.push_back(variant);
  return movie;
}

/// Writes `count` copies named movie<N>.swf into `folder` (under sub-folders of ten).
inline std::vector<std::string> writeMovies(const std::string& folder, int count) {
  std::vector<std::string> paths;
  ::mkdir(folder.c_str(), 0700);
  for (int i = 0; i < count; ++i) {
    const std::string sub = folder + "/part" + std::to_string(i / 10);
    ::mkdir(sub.c_str(), 0700);
    paths.push_back(sub + "/movie" + std::to_string(i) + ".swf");
    writeFile(paths.back(), scoreMovieVariant(static_cast<std::uint8_t>(i)));
  }
  return paths;
}

/// Every row of the query, its columns joined by tabs, one line each.
inline std::string dumpRows(const Database& db, const std::string& sql) {
  SqlStatement statement = db.prepare(sql);
  std::string text;
  while (statement.step()) {
    for (int column = 0; column < statement.columns(); ++column) text += std::string(statement.text(column)) + "\t";
    text += "\n";
  }
  return text;
}

/// What an archive holds, without its row ids.
inline std::string dumpArchive(const std::string& path) {
  const Database db(path, Database::Mode::ReadOnly);
  return dumpRows(db, "SELECT path, size, mtime_ns, walk_hash, kind FROM files ORDER BY path") +
         dumpRows(db,
                  "SELECT f.path, m.position, m.sha256, m.signature, m.compression, m.version, m.file_length, m.width,"
                  " m.height, m.frame_rate, m.frame_count, m.status, m.scan_status, m.error, m.warnings"
                  " FROM movies m JOIN files f ON f.id = m.file_id ORDER BY f.path, m.position") +
         dumpRows(db,
                  "SELECT f.path, o.serial, o.kind, o.character_id, o.frame, o.type_name, o.name, o.length, o.sha256,"
                  " coalesce(t.sha256, '-'), coalesce(s.text, '-') FROM objects o JOIN movies m ON m.id = o.movie_id"
                  " JOIN files f ON f.id = m.file_id LEFT JOIN texts t ON t.id = o.text_id"
                  " LEFT JOIN text_search s ON s.rowid = t.id ORDER BY f.path, o.serial") +
         dumpRows(db, "SELECT count(*) FROM texts") + dumpRows(db, "SELECT count(*) FROM text_search");
}

}  // namespace orvane::test
