#include "archive/ArchiveWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvane {

namespace {

struct Folder {
  std::string path;
  std::string relative;
};

std::int64_t nanoseconds(const struct stat& status) {
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

/// Lists a folder's files and sub-folders; false (with errno set) when it cannot be read.
bool listFolder(const std::string& path, std::vector<std::string>& names) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) return false;
  errno = 0;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  const int error = errno;
  ::closedir(folder);
  errno = error;
  return error == 0;
}

}  // namespace

std::int64_t stablePathHash(std::string_view relativePath) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : relativePath) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  return static_cast<std::int64_t>(hash >> 1);
}

std::vector<std::string> walkRoots(const std::vector<std::string>& folders) {
  std::vector<std::string> roots;
  for (const std::string& folder : folders) {
    std::string root = std::filesystem::absolute(folder).lexically_normal().string();
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    roots.push_back(root);
  }
  std::vector<std::string> kept;
  for (const std::string& root : roots) {
    const bool inside = std::any_of(roots.begin(), roots.end(), [&](const std::string& other) {
      return other != root && (other == "/" || root.starts_with(other + "/"));
    });
    if (!inside && std::find(kept.begin(), kept.end(), root) == kept.end()) kept.push_back(root);
  }
  return kept;
}

void walkFolders(const std::vector<std::string>& roots, const Shard& shard,
                 const std::function<void(const WalkedFile&)>& found,
                 const std::function<void(const std::string&)>& problem) {
  const auto emit = [&](const std::string& path, const std::string& relative, const struct stat& status) {
    const std::int64_t hash = stablePathHash(relative);
    if (shard.holds(hash)) found({path, static_cast<std::uint64_t>(status.st_size), nanoseconds(status), hash});
  };
  for (const std::string& root : roots) {
    struct stat status {};
    if (::lstat(root.c_str(), &status) != 0) {
      problem("cannot read " + root + ": " + std::strerror(errno));
      continue;
    }
    if (S_ISREG(status.st_mode)) {
      emit(root, std::filesystem::path(root).filename().string(), status);
      continue;
    }
    std::vector<Folder> stack{{root, ""}};
    while (!stack.empty()) {
      const Folder folder = std::move(stack.back());
      stack.pop_back();
      std::vector<std::string> names;
      if (!listFolder(folder.path, names)) {
        problem("cannot read the folder " + folder.path + ": " + std::strerror(errno));
        continue;
      }
      std::sort(names.begin(), names.end());
      std::vector<Folder> subFolders;
      for (const std::string& name : names) {
        const std::string path = folder.path == "/" ? "/" + name : folder.path + "/" + name;
        const std::string relative = folder.relative.empty() ? name : folder.relative + "/" + name;
        if (::lstat(path.c_str(), &status) != 0) continue;  // gone since the listing
        if (S_ISREG(status.st_mode)) emit(path, relative, status);
        if (S_ISDIR(status.st_mode)) subFolders.push_back({path, relative});
      }
      stack.insert(stack.end(), std::make_move_iterator(subFolders.rbegin()),
                   std::make_move_iterator(subFolders.rend()));
    }
  }
}

}  // namespace orvane
