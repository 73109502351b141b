#include "archive/IndexRun.h"

#include <sched.h>
#include <signal.h>

#include <csignal>
#include <optional>

#include "archive/ArchiveSchema.h"
#include "archive/ArchiveStore.h"

namespace orvane {

namespace {

constexpr std::size_t kBatchFiles = 512;
constexpr auto kBatchTime = std::chrono::milliseconds(500);
constexpr auto kProgressStep = std::chrono::milliseconds(100);

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void noteInterrupt(int) { g_interrupted = 1; }

/// Catches SIGINT and SIGTERM (the run stops after committing) and ignores SIGPIPE (a worker
/// that is gone is noticed on its pipe) for as long as it lives.
class SignalScope {
 public:
  SignalScope() {
    g_interrupted = 0;
    struct sigaction interrupt {};
    interrupt.sa_handler = noteInterrupt;
    sigemptyset(&interrupt.sa_mask);
    sigaction(SIGINT, &interrupt, &m_int);
    sigaction(SIGTERM, &interrupt, &m_term);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &m_pipe);
  }
  ~SignalScope() {
    sigaction(SIGINT, &m_int, nullptr);
    sigaction(SIGTERM, &m_term, nullptr);
    sigaction(SIGPIPE, &m_pipe, nullptr);
  }
  SignalScope(const SignalScope&) = delete;
  SignalScope& operator=(const SignalScope&) = delete;

 private:
  struct sigaction m_int {};
  struct sigaction m_term {};
  struct sigaction m_pipe {};
};

struct PendingFile {
  WalkedFile file;
  std::optional<std::int64_t> knownId;
};

void count(IndexSummary& summary, const FileRecord& record) {
  ++summary.read;
  for (const MovieRecord& movie : record.movies) {
    ++summary.movies;
    if (movie.status == MovieStatus::Damaged) ++summary.damaged;
    if (movie.status != MovieStatus::Ok && movie.status != MovieStatus::Damaged) ++summary.stopped;
  }
}

}  // namespace

unsigned availableProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return static_cast<unsigned>(std::max(CPU_COUNT(&set), 1));
}

IndexSummary indexFolders(const IndexOptions& options, FileScanner& scanner, IndexObserver& observer) {
  const SignalScope signals;
  ScanWorkers workers(scanner, options.jobs, options.limits);
  Database db(options.archive, Database::Mode::ReadWrite);
  prepareArchiveForWriting(db);
  ArchiveStore store(db);

  IndexSummary summary;
  const std::vector<std::string> roots = walkRoots(options.folders);
  // The archive may lie inside a folder it indexes; its own files are not walked.
  const std::string self = walkRoots({options.archive}).front();
  const auto isArchiveFile = [&](const std::string& path) {
    return path.starts_with(self) && (path.size() == self.size() || path.substr(self.size()) == "-wal" ||
                                      path.substr(self.size()) == "-shm" || path.substr(self.size()) == "-journal");
  };
  std::vector<PendingFile> pending;
  std::vector<std::int64_t> seen;
  walkFolders(
      roots, options.shard,
      [&](const WalkedFile& file) {
        if (isArchiveFile(file.path)) return;
        const std::optional<KnownFile> known = store.known(file.path);
        if (known && known->size == file.size && known->mtimeNs == file.mtimeNs) {
          seen.push_back(known->id);
          ++summary.unchanged;
        } else {
          pending.push_back({file, known ? std::optional(known->id) : std::nullopt});
        }
      },
      [&](const std::string& text) { observer.problem(text); });
  observer.walked(pending.size(), summary.unchanged);

  std::size_t next = 0;
  std::size_t done = 0;
  bool replaced = false;
  auto lastProgress = std::chrono::steady_clock::now();
  observer.progress(0, pending.size());
  while (done < pending.size() && g_interrupted == 0) {
    while (next < pending.size() && workers.canTake()) {
      workers.submit(next, pending[next].file.path);
      ++next;
    }
    for (FinishedJob& finished : workers.wait(kProgressStep)) {
      PendingFile& file = pending[finished.job];
      if (!finished.record.readError.empty()) {
        observer.problem(finished.record.readError);
        if (file.knownId) seen.push_back(*file.knownId);
      } else {
        seen.push_back(store.store(file.file, finished.record));
        replaced = replaced || file.knownId.has_value();
        count(summary, finished.record);
        observer.fileRead(file.file, finished.record);
      }
      file.file.path = std::string();
      ++done;
    }
    if (store.batchSize() >= kBatchFiles || store.batchAge() >= kBatchTime) store.commitBatch();
    const auto now = std::chrono::steady_clock::now();
    if (now - lastProgress >= kProgressStep) {
      observer.progress(done, pending.size());
      lastProgress = now;
    }
  }
  store.commitBatch();
  observer.progress(done, pending.size());
  if (g_interrupted != 0) {
    summary.interrupted = true;
    return summary;
  }
  for (const std::string& path : store.removeOthers(roots, options.shard, std::move(seen))) {
    observer.fileRemoved(path);
    ++summary.removed;
  }
  if (summary.removed > 0 || replaced) store.dropUnusedTexts();
  return summary;
}

}  // namespace orvane
