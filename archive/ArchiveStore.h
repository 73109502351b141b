// The writing side of an index run: what the archive knows of a file, the records of the
// files read, the removal of files that are gone, in batches of one transaction each.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"
#include "archive/ArchiveWalk.h"
#include "archive/Sqlite.h"

namespace orvane {

struct KnownFile {
  std::int64_t id = 0;
  std::uint64_t size = 0;
  std::int64_t mtimeNs = 0;
};

/// Works on a database prepared for writing. Every change goes into the open batch, which
/// is begun by the first change after a commit; a batch is all or nothing.
class ArchiveStore {
 public:
  explicit ArchiveStore(Database& db);
  ~ArchiveStore();
  ArchiveStore(const ArchiveStore&) = delete;
  ArchiveStore& operator=(const ArchiveStore&) = delete;

  std::optional<KnownFile> known(const std::string& path);
  /// Replaces what the archive holds of the file by the record; the file's new id.
  std::int64_t store(const WalkedFile& file, const FileRecord& record);
  /// Files stored since the batch began, and how long it has been open.
  std::size_t batchSize() const { return m_batchSize; }
  std::chrono::steady_clock::duration batchAge() const;
  void commitBatch();

  /// Removes the files of `shard` under `roots` whose ids `seen` does not hold (in its own
  /// batch, committed); their paths.
  std::vector<std::string> removeOthers(const std::vector<std::string>& roots, const Shard& shard,
                                        std::vector<std::int64_t> seen);
  /// Drops the texts that no object shows any more (committed).
  void dropUnusedTexts();

 private:
  void beginBatch();
  std::int64_t textId(const ObjectRecord& object);

  Database& m_db;
  std::unique_ptr<Transaction> m_batch;
  std::size_t m_batchSize = 0;
  std::chrono::steady_clock::time_point m_batchStart;
  SqlStatement m_findFile;
  SqlStatement m_deleteFile;
  SqlStatement m_insertFile;
  SqlStatement m_insertMovie;
  SqlStatement m_findText;
  SqlStatement m_insertText;
  SqlStatement m_insertTextSearch;
  SqlStatement m_insertObject;
  SqlStatement m_insertClass;
};

}  // namespace orvane
