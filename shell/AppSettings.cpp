#include "shell/AppSettings.h"

#include <fstream>
#include <sstream>

#include "platform/FileTools.h"

namespace orvane {

namespace {

/// Reads one decimal into `field`; on failure the field keeps its value and the stream
/// is made readable again so that the following words are still seen.
template <typename Field>
void readNumber(std::istream& in, Field& field) {
  long long value = 0;
  if (in >> value) {
    field = static_cast<Field>(value);
    return;
  }
  if (!in.eof()) in.clear();
}

}  // namespace

bool AppSettings::LoadSettings(const std::string& path) {
  std::ifstream in(path);
  if (!in) return false;
  std::string word;
  while (in >> word) {
    if (word == "FLAG") {
      readNumber(in, options.scanFlags);
    } else if (word == "ADVOPS") {
      readNumber(in, options.showAdvancedDetails);
      readNumber(in, options.showEmptyMovieObjects);
    } else if (word == "ASMODE") {
      readNumber(in, options.defaultTranslationMode);
    }
  }
  return true;
}

std::string AppSettings::fileText() const {
  std::ostringstream text;
  text << "FLAG\n"
       << options.scanFlags << "\n"
       << "ADVOPS\n"
       << options.showAdvancedDetails << "\n"
       << options.showEmptyMovieObjects << "\n"
       << "ASMODE\n"
       << options.defaultTranslationMode << "\n"
       << "COLORS\n";
  return text.str();
}

bool AppSettings::SaveSettings(const std::string& path) const {
  const std::string temporary = path + ".tmp";
  FileHandle file = createFileNoFollow(temporary);
  if (!file) return false;
  const std::string text = fileText();
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  if (!closeFile(file) || !written || !replaceFile(temporary, path)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace orvane
