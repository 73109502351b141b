#include "archive/FileScanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "archive/MovieRecorder.h"
#include "movie/MovieSource.h"
#include "movie/ProjectorSearch.h"

namespace orvane {

namespace {

constexpr std::uint64_t kLargestMovieFile = std::uint64_t{2} << 30;
constexpr std::size_t kSniffBytes = 4;

class OpenFile {
 public:
  explicit OpenFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~OpenFile() {
    if (m_fd >= 0) ::close(m_fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool good() const { return m_fd >= 0; }

  std::uint64_t size() const {
    struct stat status {};
    return ::fstat(m_fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  }
  /// Up to `count` bytes from `offset`; fewer when the file ends first. False on a read error.
  bool read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& bytes) const {
    bytes.resize(count);
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = ::pread(m_fd, bytes.data() + got, count - got, static_cast<off_t>(offset + got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
  }

 private:
  int m_fd;
};

bool beginsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool isExecutable(const std::vector<std::uint8_t>& first) {
  return beginsWith(first, {'M', 'Z'}) || beginsWith(first, {0x7F, 'E', 'L', 'F'}) ||
         beginsWith(first, {0xFE, 0xED, 0xFA, 0xCE}) || beginsWith(first, {0xFE, 0xED, 0xFA, 0xCF}) ||
         beginsWith(first, {0xCE, 0xFA, 0xED, 0xFE}) || beginsWith(first, {0xCF, 0xFA, 0xED, 0xFE}) ||
         beginsWith(first, {0xCA, 0xFE, 0xBA, 0xBE});
}

FileRecord unreadable(const std::string& path) {
  FileRecord file;
  file.readError = "cannot read " + path + ": " + std::strerror(errno);
  return file;
}

FileRecord scanMovieFile(const OpenFile& file, const std::string& path) {
  FileRecord record;
  record.kind = FileKind::Movie;
  const std::uint64_t size = file.size();
  if (size > kLargestMovieFile) {
    MovieRecord& movie = record.movies.emplace_back();
    movie.status = MovieStatus::Damaged;
    movie.error = "The file is larger than 2 GiB and is not read as a movie";
    return record;
  }
  std::vector<std::uint8_t> bytes;
  if (!file.read(0, static_cast<std::size_t>(size), bytes)) return unreadable(path);
  record.movies.push_back(recordMovie(bytes, path, 0));
  return record;
}

FileRecord scanProjector(const OpenFile& file, const std::string& path) {
  FileRecord record;
  record.kind = FileKind::Projector;
  std::vector<MovieCandidate> candidates;
  if (!findMovieCandidates(path, candidates)) return unreadable(path);
  std::vector<std::uint8_t> bytes;
  for (const MovieCandidate& candidate : candidates) {
    if (!file.read(candidate.position, candidate.size, bytes)) return unreadable(path);
    if (opensAsMovie(bytes)) record.movies.push_back(recordMovie(bytes, path, candidate.position));
  }
  return record;
}

}  // namespace

FileRecord MovieFileScanner::scan(const std::string& path) {
  const OpenFile file(path);
  if (!file.good()) return unreadable(path);
  std::vector<std::uint8_t> first;
  if (!file.read(0, kSniffBytes, first)) return unreadable(path);
  if (compressionOfSignature(first)) return scanMovieFile(file, path);
  if (isExecutable(first)) return scanProjector(file, path);
  return FileRecord{};
}

}  // namespace orvane
