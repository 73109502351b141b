// What the archive answers: full-text search over the objects' texts, line by line, and the
// objects that several movies share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/Sqlite.h"

namespace orvane {

/// A query that the full-text index refuses; what() says why.
class BadQuery : public ArchiveError {
 public:
  using ArchiveError::ArchiveError;
};

/// A movie as the archive's answers name it: its path, followed by "@" and the byte position
/// for a movie inside a projector.
std::string movieName(const std::string& path, std::uint64_t position);

struct ArchiveQuery {
  std::string match;               // FTS5 query syntax
  std::vector<std::string> kinds;  // object kinds to search; empty for all
  std::size_t limit = 0;           // at most this many hits; 0 for all
};

struct ArchiveHit {
  std::string movie;
  std::int32_t serial = 0;
  std::string kind;
  std::string object;  // the display name
  std::size_t line = 0;  // counted from 1
  std::string text;      // the line without its line feed
};

/// Every line of an object's Source text that holds a token the query matched, ordered by
/// movie, object serial and line. Returns the number of hits.
std::size_t searchArchive(const Database& db, const ArchiveQuery& query,
                          const std::function<void(const ArchiveHit&)>& onHit);

struct ObjectPlace {
  std::string movie;
  std::int32_t serial = 0;
  std::string object;
};

struct SharedObject {
  std::string kind;
  std::string sha256;
  std::uint64_t length = 0;
  std::size_t movies = 0;  // how many different movies hold it
  std::vector<ObjectPlace> places;
};

/// The objects (of one kind, with the same digest and at least one byte) that more than one
/// movie holds, ordered by kind, then by the number of movies (most first) and digest; each
/// with every place it is found, by movie and serial.
std::vector<SharedObject> sharedObjects(const Database& db);

}  // namespace orvane
