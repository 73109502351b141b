// What the scan of one file gives the archive: its movies, their objects, classes and texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/Sha256.h"

namespace orvane {

/// How the reading of a movie ended.
enum class MovieStatus : std::uint8_t { Ok, Damaged, Timeout, Memory, Crashed };

/// "ok", "damaged", "timeout", "memory", "crashed": the words the archive stores.
const char* movieStatusName(MovieStatus status);

struct ObjectRecord {
  std::string kind;  // as `scan --json` names it: "action", "image", "abcClass", ...
  std::int32_t serial = 0;
  std::uint16_t characterId = 0;
  std::int32_t frame = 0;
  std::string typeName;
  std::string name;  // the display name without details
  std::uint64_t length = 0;
  Digest sha256{};
  /// Objects with actions: the digest of the Source text, and the text itself unless the
  /// same worker sent it before in this run (the receiver knows it then).
  bool hasText = false;
  Digest textSha256{};
  std::optional<std::string> text;
};

/// An ActionScript 3 class: its object's serial, its package ("" for the top level), its
/// name, its superclass and interfaces as qualified names (interfaces joined by ", ").
struct ClassRecord {
  std::int32_t serial = 0;
  std::string package;
  std::string name;
  std::string superClass;
  std::string interfaces;
};

/// The header fields of a movie whose first bytes could be read.
struct MovieHeader {
  std::string signature;    // "FWS", "CWS" or "ZWS"
  std::string compression;  // "none", "zlib" or "lzma"
  std::uint32_t version = 0;
  std::uint32_t fileLength = 0;  // the length the header declares
  /// Known only when the uncompressed header could be decoded.
  bool hasStage = false;
  std::int32_t width = 0;
  std::int32_t height = 0;
  double frameRate = 0;
  std::uint32_t frameCount = 0;
};

struct MovieRecord {
  std::uint64_t position = 0;  // where the movie starts in its file
  MovieStatus status = MovieStatus::Ok;
  std::uint32_t scanStatus = 0;  // the scan's status code (106 success); 0 when none ran
  std::string error;             // what is wrong with a movie that is not ok
  std::string warnings;          // messages of a scan that went on, one per line
  std::optional<Digest> sha256;  // of the movie's bytes as stored
  std::optional<MovieHeader> header;
  std::vector<ObjectRecord> objects;
  std::vector<ClassRecord> classes;
};

enum class FileKind : std::uint8_t { Movie, Projector, Other };

/// "movie", "projector", "other".
const char* fileKindName(FileKind kind);

/// A file of the walk: a movie, a projector with the movies inside it, or neither. A file
/// that could not be read has `readError` set and is not recorded.
struct FileRecord {
  FileKind kind = FileKind::Other;
  std::vector<MovieRecord> movies;
  std::string readError;
};

/// What is recorded for a file whose reading was stopped: one movie with that status.
FileRecord stoppedFile(MovieStatus status, const std::string& error);

}  // namespace orvane
