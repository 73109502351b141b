// What a scanning worker does with one file of the walk: tell movies, projectors and other
// files apart by their first bytes, and read the movies.
#pragma once

#include <string>

#include "archive/ArchiveRecords.h"

namespace orvane {

class FileScanner {
 public:
  virtual ~FileScanner() = default;
  /// May throw std::bad_alloc; a worker records that as running out of memory.
  virtual FileRecord scan(const std::string& path) = 0;
};

/// A file whose first three bytes are "FWS", "CWS" or "ZWS" is a movie; one that begins as
/// an executable does (Windows "MZ", ELF, Mach-O) is a projector, searched for the movies
/// inside it as the projector dialog searches (only candidates that open as movies are
/// kept); anything else is another file. Files of more than 2 GiB are not read as movies.
class MovieFileScanner final : public FileScanner {
 public:
  FileRecord scan(const std::string& path) override;
};

}  // namespace orvane
