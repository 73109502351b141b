// Small file helpers shared by the commands that copy and rewrite movies.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
/// An open stdio stream that is closed when it goes; close it with closeFile() to learn
/// whether its buffered writes reached the disk.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

/// fopen() into a handle; empty on failure.
FileHandle openFile(const std::string& path, const char* mode);
/// Creates or truncates a file for binary writing without following a symbolic link at
/// `path` (a link planted at a temporary name cannot redirect the write); empty on failure.
FileHandle createFileNoFollow(const std::string& path);
/// Flushes and closes; false when a write or the flush failed. The handle is empty afterwards.
[[nodiscard]] bool closeFile(FileHandle& file);

struct CopyResult {
  std::uint64_t copied = 0;
  bool ok = true;  // false when reading or writing failed (the end of the source is no failure)
};
/// Copies from the current positions, at most `limit` bytes, stopping early at the end of
/// `from`. Memory use is one fixed block whatever the length.
CopyResult copyStream(std::FILE* from, std::FILE* to, std::uint64_t limit = UINT64_MAX);

/// Puts the complete file `replacement` in the place of `target` in one step (a rename
/// in the same folder), giving it the permission bits of `target`; `target` is never
/// deleted first. False when the rename failed; `replacement` is then left in place.
[[nodiscard]] bool replaceFile(const std::string& replacement, const std::string& target);

/// The whole file, read in blocks; none when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path);

/// Writes `bytes` to a fresh temporary file in the folder of `path`, then puts it in the
/// place of `path` in one step (see replaceFile; a new file gets the permissions the
/// process's umask gives). False when anything failed; `path` is then as it was and the
/// temporary file is gone.
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

/// True when both paths name one existing file (also through links or other spellings).
bool isSameFile(const std::string& first, const std::string& second);

/// Creates or replaces the file at `path` with `bytes`; false when they did not all reach it.
[[nodiscard]] bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace orvane
