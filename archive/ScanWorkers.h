// The scanning workers of an index run: forked processes that each read one file at a time,
// held to a time limit and a memory limit, so that a runaway or crashing scan costs only
// its own file.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"
#include "archive/FileScanner.h"

namespace orvane {

struct WorkerLimits {
  std::chrono::milliseconds timeout{60000};
  /// The address space a worker may take; 0 for no limit. Not applied in builds with
  /// AddressSanitizer, which reserves far more address space than it uses.
  std::uint64_t memoryBytes = 0;
};

/// Whether this build applies WorkerLimits::memoryBytes.
bool memoryLimitApplies();

struct FinishedJob {
  std::uint64_t job = 0;
  FileRecord record;
};

/// Each worker holds at most two jobs: the one it reads and the next, so that it never waits
/// for the writer. Workers are forked from this process: create the pool before starting
/// any thread. A worker dies with its parent.
class ScanWorkers {
 public:
  ScanWorkers(FileScanner& scanner, unsigned count, WorkerLimits limits);
  ~ScanWorkers();
  ScanWorkers(const ScanWorkers&) = delete;
  ScanWorkers& operator=(const ScanWorkers&) = delete;

  /// Whether a job handed out now would be taken at once.
  bool canTake() const;
  void submit(std::uint64_t job, const std::string& path);
  /// Jobs handed out and not finished yet.
  std::size_t inFlight() const;
  /// Waits at most `limit` for jobs to finish (less when a signal arrives) and returns the
  /// finished ones. A job whose worker had to be stopped (over its time, crashed, gone)
  /// finishes with a record of that; the worker is replaced and its other job goes on.
  std::vector<FinishedJob> wait(std::chrono::milliseconds limit);

 private:
  struct Job {
    std::uint64_t id = 0;
    std::string path;
  };
  struct Worker {
    pid_t pid = -1;
    int jobs = -1;     // we write jobs here
    int results = -1;  // and read results here
    std::deque<Job> queue;
    std::chrono::steady_clock::time_point deadline;
    std::vector<std::uint8_t> buffer;
  };

  enum class Reading { Open, Closed, Garbled };

  void start(Worker& worker);
  void send(Worker& worker, const Job& job);
  /// Reads what the worker has written and takes its complete records.
  Reading readResults(Worker& worker, std::vector<FinishedJob>& finished);
  /// Ends a worker whose current job could not finish (a crashed one is only waited for,
  /// any other is killed), records that job and hands its other job to the worker that
  /// replaces it.
  void replace(Worker& worker, MovieStatus status, const std::string& error, std::vector<FinishedJob>& finished);
  std::string stopText(int waitStatus) const;
  void stop(Worker& worker);

  FileScanner& m_scanner;
  WorkerLimits m_limits;
  std::vector<Worker> m_workers;
};

/// What a worker runs: read jobs from `jobs`, scan each, write its record to `results`,
/// until `jobs` ends.
[[noreturn]] void runScanWorker(FileScanner& scanner, int jobs, int results, const WorkerLimits& limits);

}  // namespace orvane
