#include "archive/ScanWorkers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "archive/RecordCodec.h"

namespace orvane {

namespace {

constexpr std::size_t kQueueDepth = 2;
constexpr std::uint32_t kLargestFrame = 1u << 30;
constexpr int kResultPipeSize = 1 << 20;
constexpr std::size_t kReadBlock = 1 << 20;

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getU32(const std::uint8_t* in) {
  return in[0] | in[1] << 8 | in[2] << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

std::uint64_t getU64(const std::uint8_t* in) { return getU32(in) | std::uint64_t{getU32(in + 4)} << 32; }

/// A frame: its payload's length, the job id, then the payload's rest.
std::vector<std::uint8_t> frame(std::uint64_t job, std::span<const std::uint8_t> rest) {
  std::vector<std::uint8_t> out(12 + rest.size());
  putU32(out, 0, static_cast<std::uint32_t>(8 + rest.size()));
  putU32(out, 4, static_cast<std::uint32_t>(job));
  putU32(out, 8, static_cast<std::uint32_t>(job >> 32));
  std::copy(rest.begin(), rest.end(), out.begin() + 12);
  return out;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

bool readAll(int fd, std::uint8_t* out, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::read(fd, out, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    out += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string megabytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

std::string memoryText(const WorkerLimits& limits) {
  return "The scan needed more memory than its limit of " + megabytes(limits.memoryBytes);
}

std::string secondsText(std::chrono::milliseconds time) {
  const auto count = time.count();
  std::string text = std::to_string(count / 1000);
  if (count % 1000 != 0) {
    std::string fraction = std::to_string(1000 + count % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += "." + fraction;
  }
  return text + " s";
}

FileRecord scanOrStop(FileScanner& scanner, const std::string& path, const WorkerLimits& limits) {
  try {
    return scanner.scan(path);
  } catch (const std::bad_alloc&) {
    return stoppedFile(MovieStatus::Memory, memoryText(limits));
  }
}

std::vector<std::uint8_t> encodeOrStop(const FileRecord& record, SentTexts& sent, const WorkerLimits& limits) {
  try {
    std::vector<std::uint8_t> bytes = encodeFileRecord(record, sent);
    if (bytes.size() < kLargestFrame - 16) return bytes;
  } catch (const std::bad_alloc&) {
  }
  return encodeFileRecord(stoppedFile(MovieStatus::Memory, memoryText(limits)), sent);
}

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

bool memoryLimitApplies() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

void runScanWorker(FileScanner& scanner, int jobs, int results, const WorkerLimits& limits) {
  SentTexts sent;
  std::vector<std::uint8_t> payload;
  for (;;) {
    std::uint8_t length[4];
    if (!readAll(jobs, length, sizeof length)) ::_exit(0);
    const std::uint32_t size = getU32(length);
    if (size < 8 || size > kLargestFrame) ::_exit(1);
    payload.resize(size);
    if (!readAll(jobs, payload.data(), size)) ::_exit(0);
    const std::uint64_t job = getU64(payload.data());
    const std::string path(payload.begin() + 8, payload.end());
    std::vector<std::uint8_t> bytes;
    {
      const FileRecord record = scanOrStop(scanner, path, limits);
      bytes = encodeOrStop(record, sent, limits);
    }
    if (!writeAll(results, frame(job, bytes))) ::_exit(1);
  }
}

ScanWorkers::ScanWorkers(FileScanner& scanner, unsigned count, WorkerLimits limits)
    : m_scanner(scanner), m_limits(limits), m_workers(std::max(count, 1u)) {
  for (Worker& worker : m_workers) start(worker);
}

ScanWorkers::~ScanWorkers() {
  for (Worker& worker : m_workers) stop(worker);
}

void ScanWorkers::start(Worker& worker) {
  int jobs[2];
  int results[2];
  if (::pipe2(jobs, O_CLOEXEC) != 0) throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
  if (::pipe2(results, O_CLOEXEC) != 0) {
    ::close(jobs[0]);
    ::close(jobs[1]);
    throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
  }
  ::fcntl(results[0], F_SETPIPE_SZ, kResultPipeSize);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(0);
    ::signal(SIGINT, SIG_IGN);
    ::signal(SIGTERM, SIG_DFL);
    for (Worker& other : m_workers) {
      closeFd(other.jobs);
      closeFd(other.results);
    }
    ::close(jobs[1]);
    ::close(results[0]);
    // Records go through the pipe only; nothing may reach the parent's output.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (m_limits.memoryBytes != 0 && memoryLimitApplies()) {
      const rlimit memory{m_limits.memoryBytes, m_limits.memoryBytes};
      ::setrlimit(RLIMIT_AS, &memory);
    }
    runScanWorker(m_scanner, jobs[0], results[1], m_limits);
  }
  ::close(jobs[0]);
  ::close(results[1]);
  if (pid < 0) {
    ::close(jobs[1]);
    ::close(results[0]);
    throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
  }
  ::fcntl(results[0], F_SETFL, ::fcntl(results[0], F_GETFL) | O_NONBLOCK);
  worker.pid = pid;
  worker.jobs = jobs[1];
  worker.results = results[0];
  worker.buffer.clear();
}

void ScanWorkers::stop(Worker& worker) {
  closeFd(worker.jobs);
  closeFd(worker.results);
  if (worker.pid > 0) {
    ::kill(worker.pid, SIGKILL);
    int status = 0;
    while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  worker.pid = -1;
}

bool ScanWorkers::canTake() const {
  return std::any_of(m_workers.begin(), m_workers.end(),
                     [](const Worker& worker) { return worker.queue.size() < kQueueDepth; });
}

std::size_t ScanWorkers::inFlight() const {
  std::size_t count = 0;
  for (const Worker& worker : m_workers) count += worker.queue.size();
  return count;
}

void ScanWorkers::submit(std::uint64_t job, const std::string& path) {
  const auto worker = std::min_element(m_workers.begin(), m_workers.end(), [](const Worker& a, const Worker& b) {
    return a.queue.size() < b.queue.size();
  });
  send(*worker, Job{job, path});
}

void ScanWorkers::send(Worker& worker, const Job& job) {
  if (worker.queue.empty()) worker.deadline = std::chrono::steady_clock::now() + m_limits.timeout;
  worker.queue.push_back(job);
  // A worker that is gone is noticed when its results end.
  static_cast<void>(writeAll(worker.jobs, frame(job.id, std::span(reinterpret_cast<const std::uint8_t*>(job.path.data()),
                                                                   job.path.size()))));
}

ScanWorkers::Reading ScanWorkers::readResults(Worker& worker, std::vector<FinishedJob>& finished) {
  Reading reading = Reading::Open;
  for (;;) {
    const std::size_t size = worker.buffer.size();
    worker.buffer.resize(size + kReadBlock);
    const ssize_t n = ::read(worker.results, worker.buffer.data() + size, kReadBlock);
    worker.buffer.resize(size + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;  // nothing more for now
    if (n == 0) {
      reading = Reading::Closed;
      break;
    }
  }
  std::size_t used = 0;
  while (worker.buffer.size() - used >= 4) {
    const std::uint32_t length = getU32(worker.buffer.data() + used);
    if (length < 8 || length > kLargestFrame) return Reading::Garbled;
    if (worker.buffer.size() - used - 4 < length) break;
    const std::uint8_t* payload = worker.buffer.data() + used + 4;
    const std::uint64_t job = getU64(payload);
    std::optional<FileRecord> record = decodeFileRecord(std::span(payload + 8, length - 8));
    used += 4 + length;
    if (worker.queue.empty() || worker.queue.front().id != job || !record) return Reading::Garbled;
    worker.queue.pop_front();
    worker.deadline = std::chrono::steady_clock::now() + m_limits.timeout;
    finished.push_back({job, std::move(*record)});
  }
  worker.buffer.erase(worker.buffer.begin(), worker.buffer.begin() + static_cast<std::ptrdiff_t>(used));
  return reading;
}

std::string ScanWorkers::stopText(int waitStatus) const {
  if (WIFSIGNALED(waitStatus)) {
    const int signal = WTERMSIG(waitStatus);
    return "The scan stopped with signal " + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
  }
  if (WIFEXITED(waitStatus)) return "The scan ended with exit status " + std::to_string(WEXITSTATUS(waitStatus));
  return "The scan stopped";
}

void ScanWorkers::replace(Worker& worker, MovieStatus status, const std::string& error,
                          std::vector<FinishedJob>& finished) {
  int waitStatus = 0;
  if (status != MovieStatus::Crashed) ::kill(worker.pid, SIGKILL);
  closeFd(worker.jobs);
  closeFd(worker.results);
  while (::waitpid(worker.pid, &waitStatus, 0) < 0 && errno == EINTR) {
  }
  worker.pid = -1;
  std::deque<Job> queue = std::move(worker.queue);
  worker.queue.clear();
  if (!queue.empty()) {
    finished.push_back({queue.front().id, stoppedFile(status, error.empty() ? stopText(waitStatus) : error)});
    queue.pop_front();
  }
  start(worker);
  for (const Job& job : queue) send(worker, job);
}

std::vector<FinishedJob> ScanWorkers::wait(std::chrono::milliseconds limit) {
  std::vector<FinishedJob> finished;
  const auto now = std::chrono::steady_clock::now();
  auto until = now + limit;
  for (const Worker& worker : m_workers)
    if (!worker.queue.empty()) until = std::min(until, worker.deadline);
  const auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count();

  std::vector<pollfd> fds;
  for (const Worker& worker : m_workers) fds.push_back({worker.results, POLLIN, 0});
  const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::clamp<long long>(timeout + 1, 0, 60000)));
  if (ready < 0) return finished;  // a signal: the caller looks why

  for (std::size_t i = 0; i < m_workers.size(); ++i) {
    Worker& worker = m_workers[i];
    if (fds[i].revents == 0) continue;
    switch (readResults(worker, finished)) {
      case Reading::Open: break;
      case Reading::Closed: replace(worker, MovieStatus::Crashed, "", finished); break;
      case Reading::Garbled:
        replace(worker, MovieStatus::Damaged, "The scan's record could not be read", finished);
        break;
    }
  }
  const auto later = std::chrono::steady_clock::now();
  for (Worker& worker : m_workers) {
    if (!worker.queue.empty() && later >= worker.deadline)
      replace(worker, MovieStatus::Timeout, "The scan took longer than " + secondsText(m_limits.timeout), finished);
  }
  return finished;
}

}  // namespace orvane
