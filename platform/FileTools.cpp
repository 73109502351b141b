#include "platform/FileTools.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace orvane {

FileHandle openFile(const std::string& path, const char* mode) { return FileHandle(std::fopen(path.c_str(), mode)); }

FileHandle createFileNoFollow(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) return FileHandle();
  FileHandle file(::fdopen(descriptor, "wb"));
  if (!file) ::close(descriptor);
  return file;
}

bool closeFile(FileHandle& file) {
  if (!file) return false;
  const bool failed = std::ferror(file.get()) != 0;
  const bool closed = std::fclose(file.release()) == 0;
  return closed && !failed;
}

CopyResult copyStream(std::FILE* from, std::FILE* to, std::uint64_t limit) {
  std::array<char, 64 * 1024> block;
  CopyResult result;
  while (result.copied < limit) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), limit - result.copied));
    const std::size_t got = std::fread(block.data(), 1, wanted, from);
    if (got > 0 && std::fwrite(block.data(), 1, got, to) != got) {
      result.ok = false;
      return result;
    }
    result.copied += got;
    if (got < wanted) {
      result.ok = std::ferror(from) == 0;
      return result;
    }
  }
  return result;
}

bool replaceFile(const std::string& replacement, const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) static_cast<void>(::chmod(replacement.c_str(), info.st_mode & 07777));
  return std::rename(replacement.c_str(), target.c_str()) == 0;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path) {
  FileHandle file = openFile(path, "rb");
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file.get())) > 0;)
    bytes.insert(bytes.end(), block, block + got);
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return bytes;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::string temporary = path + ".XXXXXX";
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return false;
  // mkstemp creates the file for its owner alone; a new file gets what the umask allows.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  static_cast<void>(::fchmod(descriptor, 0666 & ~mask));
  FileHandle file(::fdopen(descriptor, "wb"));
  if (!file) {
    ::close(descriptor);
    std::remove(temporary.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!closeFile(file) || !written || !replaceFile(temporary, path)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool isSameFile(const std::string& first, const std::string& second) {
  struct stat a {};
  struct stat b {};
  if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileHandle file = openFile(path, "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return closeFile(file) && written;
}

}  // namespace orvane
