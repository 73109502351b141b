#include "platform/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane {

namespace {

bool isPrivateFolder(const std::string& folder, std::string& error) {
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) {
    error = folder + ": " + std::strerror(errno);
    return false;
  }
  if (S_ISLNK(info.st_mode)) {
    error = folder + ": is a symbolic link";
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    error = folder + ": is not a folder";
    return false;
  }
  if (info.st_uid != geteuid()) {
    error = folder + ": belongs to another user";
    return false;
  }
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    error = folder + ": can be written by other users";
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> prepareTempFolder(const std::string& folder, std::string& error) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = folder + ": " + std::strerror(errno);
    return std::nullopt;
  }
  if (!isPrivateFolder(folder, error)) return std::nullopt;
  return folder;
}

std::optional<std::string> privateTempFolder(std::string& error) {
  const char* base = std::getenv("TMPDIR");
  std::string folder = (base != nullptr && *base != '\0') ? base : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  folder += "/orvane-" + std::to_string(geteuid());
  return prepareTempFolder(folder, error);
}

}  // namespace orvane
