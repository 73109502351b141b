#include "objects/ObjectSaving.h"

#include <algorithm>
#include <cctype>

#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

std::string lowerTail(const std::string& text) {
  std::string tail = text.size() > 4 ? text.substr(text.size() - 4) : text;
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail;
}

}  // namespace

std::string objectFileExtension(const std::string& tempPath) { return lowerTail(tempPath); }

std::string objectFileFilter(const std::string& extension) {
  return "Object Type (" + extension + ")|*" + extension + "|";
}

std::string normaliseChosenName(const std::string& chosen, const std::string& extension,
                                const std::vector<std::string>& known) {
  if (chosen.size() <= 1) return chosen;
  const std::string tail = lowerTail(chosen);
  if (tail.empty() || tail[0] != '.') return chosen + extension;
  if (std::find(known.begin(), known.end(), tail) != known.end()) return chosen;
  // A name of fewer than four characters that begins with "." is all extension.
  return chosen.substr(0, chosen.size() - tail.size()) + extension;
}

bool copyObjectFile(const std::string& from, const std::string& to) {
  FileHandle source = openFile(from, "rb");
  if (!source) return false;
  if (isSameFile(from, to)) return true;
  FileHandle destination = openFile(to, "wb");
  if (!destination) return false;
  const CopyResult copied = copyStream(source.get(), destination.get());
  const bool closed = closeFile(destination);
  return copied.ok && closed;
}

std::optional<std::string> SaveObjectFile(const std::string& tempPath, const std::string& chosenName,
                                          ObjectWindow window, MessageSink& sink) {
  const std::string name = normaliseChosenName(chosenName, objectFileExtension(tempPath), {".wav", ".jpg", ".mp3"});
  if (copyObjectFile(tempPath, name)) return name;
  sink.show({"",
             window == ObjectWindow::Sound ? "Error Coping File"
                                           : "Error Coping File, Disk Could be Full or Write Protected",
             MessageIcon::Error});
  return std::nullopt;
}

}  // namespace orvane
