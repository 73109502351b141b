// A private folder for the files a fuzz target makes, created once per process.
#pragma once

#include <cstdlib>
#include <string>

namespace orvane::fuzz {

inline const std::string& scratchFolder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/orvane-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

}  // namespace orvane::fuzz
