// One run of the indexer: walk the folders, read what is new or changed with the scanning
// workers, write it in batches, and remove what is gone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"
#include "archive/ArchiveWalk.h"
#include "archive/FileScanner.h"
#include "archive/ScanWorkers.h"

namespace orvane {

struct IndexOptions {
  std::vector<std::string> folders;
  std::string archive;
  unsigned jobs = 1;
  WorkerLimits limits;
  Shard shard;
};

/// What a run tells whoever shows it, all from the thread that called indexFolders.
class IndexObserver {
 public:
  virtual ~IndexObserver() = default;
  /// After the walk: the files to read and those left as they were.
  virtual void walked(std::size_t toRead, std::size_t unchanged) = 0;
  virtual void fileRead(const WalkedFile& file, const FileRecord& record) = 0;
  virtual void fileRemoved(const std::string& path) = 0;
  /// A folder or file that could not be read.
  virtual void problem(const std::string& text) = 0;
  /// Called at least every tenth of a second while files are read.
  virtual void progress(std::size_t done, std::size_t total) = 0;
};

struct IndexSummary {
  std::size_t read = 0;       // files read in this run
  std::size_t unchanged = 0;  // files left as the archive had them
  std::size_t removed = 0;
  std::size_t movies = 0;     // movies in the files read
  std::size_t damaged = 0;    // of those, the damaged ones
  std::size_t stopped = 0;    // and those stopped by a limit or a crash
  bool interrupted = false;   // by SIGINT or SIGTERM: what was written stays, nothing was removed
};

/// Files whose size and modification time the archive has are not read again; a file of
/// the walk's shard under the folders that the walk did not find is removed, once every
/// file was read. Changes are committed at least twice a second, so a run that is killed
/// loses only the files in flight, and the next run goes on from there. The workers are
/// forked before the archive is opened. Throws ArchiveError when the archive cannot be
/// opened or written.
IndexSummary indexFolders(const IndexOptions& options, FileScanner& scanner, IndexObserver& observer);

/// The processors this process may run on.
unsigned availableProcessors();

}  // namespace orvane
