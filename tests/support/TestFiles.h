// Scratch folders and sample-corpus lookup for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::test {

/// A fresh folder under the system temporary folder, removed with everything in it when
/// the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return m_path; }
  /// path() + "/" + name
  std::string file(const std::string& name) const;

 private:
  std::string m_path;
};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::string& path);
bool fileExists(const std::string& path);

/// The shared sample corpus folder, or an empty text when it is absent.
std::string samplesFolder();

}  // namespace orvane::test
