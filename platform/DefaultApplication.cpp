#include "platform/DefaultApplication.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane {

namespace {

constexpr std::size_t kLargestDesktopEntry = 1024 * 1024;
constexpr std::size_t kMostDashesTried = 4;

bool isFieldCodeLetter(char letter) { return letter == 'u' || letter == 'U' || letter == 'f' || letter == 'F'; }

std::string trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string unescapeValue(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        out += '\\';
        out += value[i];
    }
  }
  return out;
}

/// A word of its own that is a field code, such as %i or %c, stands for nothing here.
bool isLoneFieldCode(const std::string& word) { return word.size() == 2 && word[0] == '%' && word[1] != '%'; }

std::string resolvePercents(const std::string& word) {
  std::string out;
  for (std::size_t i = 0; i < word.size(); ++i) {
    out += word[i];
    if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') ++i;
  }
  return out;
}

std::string environmentOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

std::string cutAtFieldCode(const std::string& exec) {
  for (std::size_t i = 0; i + 1 < exec.size(); ++i) {
    if (exec[i] != '%') continue;
    if (exec[i + 1] == '%') {
      ++i;
      continue;
    }
    if (!isFieldCodeLetter(exec[i + 1])) continue;
    const bool quoted = i > 0 && exec[i - 1] == '"' && i + 2 < exec.size() && exec[i + 2] == '"';
    return exec.substr(0, quoted ? i - 1 : i);
  }
  return exec;
}

std::optional<std::vector<std::string>> splitExecLine(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size()) {
        word += exec[++i];
      } else {
        word += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord && !isLoneFieldCode(word)) words.push_back(resolvePercents(word));
      word.clear();
      inWord = false;
    } else {
      inWord = true;
      if (c == '"') {
        quoted = true;
      } else {
        word += c;
      }
    }
  }
  if (quoted) return std::nullopt;
  if (inWord && !isLoneFieldCode(word)) words.push_back(resolvePercents(word));
  return words;
}

std::optional<std::string> desktopEntryExec(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool inEntryGroup = false;
  while (std::getline(lines, line)) {
    const std::string trimmed = trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    if (trimmed[0] == '[') {
      inEntryGroup = trimmed == "[Desktop Entry]";
      continue;
    }
    if (!inEntryGroup) continue;
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos || trim(trimmed.substr(0, equals)) != "Exec") continue;
    return unescapeValue(trim(trimmed.substr(equals + 1)));
  }
  return std::nullopt;
}

std::vector<std::string> applicationFolders() {
  std::vector<std::string> folders;
  const std::string home = environmentOr("HOME", "");
  const std::string dataHome = environmentOr("XDG_DATA_HOME", home.empty() ? "" : home + "/.local/share");
  if (!dataHome.empty()) folders.push_back(dataHome + "/applications");
  std::istringstream dirs(environmentOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"));
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty()) folders.push_back(dir + "/applications");
  return folders;
}

std::optional<std::string> findDesktopEntry(const std::string& id, const std::vector<std::string>& folders) {
  if (id.empty() || id.find('/') != std::string::npos || id == "." || id == "..") return std::nullopt;
  // An entry in a sub-folder has an id with "-" for each "/" (vendor/web.desktop is
  // vendor-web.desktop), so every "-" may stand for a "/". Ids with many dashes are only
  // looked up as they are, which keeps the number of tries small.
  std::vector<std::size_t> dashes;
  for (std::size_t i = 0; i < id.size(); ++i)
    if (id[i] == '-') dashes.push_back(i);
  const std::size_t variants = dashes.size() <= kMostDashesTried ? std::size_t{1} << dashes.size() : 1;
  for (const std::string& folder : folders) {
    for (std::size_t variant = 0; variant < variants; ++variant) {
      std::string name = id;
      for (std::size_t bit = 0; bit < dashes.size() && variants > 1; ++bit)
        if ((variant >> bit) & 1u) name[dashes[bit]] = '/';
      const std::string path = folder + "/" + name;
      std::error_code ignored;
      if (std::filesystem::is_regular_file(path, ignored)) return path;
    }
  }
  return std::nullopt;
}

std::vector<std::string> defaultApplicationCommand(const std::string& mimeType, ProgramLauncher& launcher,
                                                   const std::vector<std::string>& folders) {
  const auto answer = launcher.capture({"xdg-mime", "query", "default", mimeType});
  if (!answer) return {};
  const std::string id = trim(answer->substr(0, answer->find('\n')));
  const auto entryPath = findDesktopEntry(id, folders);
  if (!entryPath) return {};
  std::ifstream in(*entryPath, std::ios::binary);
  std::string text(kLargestDesktopEntry, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  const auto exec = desktopEntryExec(text);
  if (!exec) return {};
  auto words = splitExecLine(cutAtFieldCode(*exec));
  return words ? *words : std::vector<std::string>{};
}

int OpenWithDefaultBrowser(const std::string& path, ProgramLauncher& launcher) {
  std::vector<std::string> command = defaultApplicationCommand("text/html", launcher, applicationFolders());
  if (command.empty()) return 0;
  command.push_back(path);
  return launcher.start(command) ? 1 : 0;
}

bool openWithDefaultProgram(const std::string& path, ProgramLauncher& launcher) {
  return launcher.start({"xdg-open", path});
}

}  // namespace orvane
