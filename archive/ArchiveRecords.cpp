#include "archive/ArchiveRecords.h"

namespace orvane {

const char* movieStatusName(MovieStatus status) {
  switch (status) {
    case MovieStatus::Ok: return "ok";
    case MovieStatus::Damaged: return "damaged";
    case MovieStatus::Timeout: return "timeout";
    case MovieStatus::Memory: return "memory";
    case MovieStatus::Crashed: return "crashed";
  }
  return "damaged";
}

const char* fileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::Movie: return "movie";
    case FileKind::Projector: return "projector";
    case FileKind::Other: return "other";
  }
  return "other";
}

FileRecord stoppedFile(MovieStatus status, const std::string& error) {
  FileRecord file;
  file.kind = FileKind::Movie;
  MovieRecord& movie = file.movies.emplace_back();
  movie.status = status;
  movie.error = error;
  return file;
}

}  // namespace orvane
