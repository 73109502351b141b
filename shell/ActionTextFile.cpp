#include "shell/ActionTextFile.h"

#include <algorithm>
#include <cctype>

#include "platform/FileTools.h"

namespace orvane {

namespace {

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::string proposedTextFileName(const std::string& displayText) { return lowerAscii(displayText + ".txt"); }

std::optional<std::string> withTxtExtension(const std::string& path) {
  if (path.size() <= 1) return std::nullopt;
  if (path.size() < 4) return path + ".txt";
  const std::string tail = lowerAscii(path.substr(path.size() - 4));
  if (tail.front() != '.') return path + ".txt";
  if (tail == ".txt") return path;
  return path.substr(0, path.size() - 3) + "txt";
}

bool writeTextFile(const std::string& path, const std::string& text) {
  FileHandle file = openFile(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return closeFile(file) && written;
}

}  // namespace orvane
