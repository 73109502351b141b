// The walk of an index run: every regular file under the folders given, in a stable order,
// and the shard each one falls into.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct WalkedFile {
  std::string path;  // absolute
  std::uint64_t size = 0;
  std::int64_t mtimeNs = 0;
  std::int64_t walkHash = 0;  // stablePathHash of the path below its folder
};

/// The I-th of N parts of a walk (I from 1).
struct Shard {
  unsigned index = 1;
  unsigned count = 1;
  bool holds(std::int64_t walkHash) const {
    return static_cast<std::uint64_t>(walkHash) % count == index - 1;
  }
};

/// FNV-1a (64 bits) of the path below its folder with the top bit cleared: the same on every
/// machine whatever the folder is called there, and a valid SQLite integer.
std::int64_t stablePathHash(std::string_view relativePath);

/// The folders (or single files) as absolute lexically normal paths, in order, without
/// those that lie inside another one.
std::vector<std::string> walkRoots(const std::vector<std::string>& folders);

/// Calls `found` for every regular file under the roots that falls into `shard`: a folder's
/// files in byte order of their names, then its sub-folders in the same order. Symbolic
/// links are not followed. Folders that cannot be read are passed to `problem` with why.
void walkFolders(const std::vector<std::string>& roots, const Shard& shard,
                 const std::function<void(const WalkedFile&)>& found,
                 const std::function<void(const std::string&)>& problem);

}  // namespace orvane
