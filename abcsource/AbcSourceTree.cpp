#include "abcsource/AbcSourceTree.h"

#include <filesystem>
#include <memory>
#include <set>

#include "abc/AbcParser.h"
#include "abcsource/AbcDefinitions.h"
#include "abcsource/AbcSourceText.h"
#include "platform/FileTools.h"

namespace orvane {

namespace {

/// `path` itself, or with " 2", " 3" ... before its extension until no earlier file has it.
std::string unusedPath(const std::string& path, std::set<std::string>& taken) {
  if (taken.insert(path).second) return path;
  const std::size_t dot = path.rfind('.');
  for (unsigned n = 2;; ++n) {
    std::string candidate = path.substr(0, dot) + " " + std::to_string(n) + path.substr(dot);
    if (taken.insert(candidate).second) return candidate;
  }
}

bool writeText(const std::filesystem::path& path, const std::string& text) {
  std::error_code ignored;  // a folder that could not be made fails the file below
  std::filesystem::create_directories(path.parent_path(), ignored);
  FileHandle file = openFile(path.string(), "w");
  if (!file) return false;
  const bool complete = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return closeFile(file) && complete;
}

}  // namespace

AbcSourceTree::AbcSourceTree(std::vector<const AbcTag*> tags) : m_tags(std::move(tags)) {}

bool AbcSourceTree::write(const std::string& root, const AbcSourceFileWritten& written) const {
  std::vector<std::unique_ptr<AbcFile>> files;
  AbcDefinitions definitions;
  for (const AbcTag* tag : m_tags) {
    files.push_back(std::make_unique<AbcFile>(parseAbc(tag->block)));
    definitions.add(*files.back());
  }
  bool all = true;
  std::set<std::string> taken;
  std::uint32_t scriptNumber = 0;
  std::string text;
  for (const auto& file : files) {
    AbcSourceText source(*file, definitions);
    for (const AbcSourceFile& sourceFile : layoutSourceFiles(*file, source.names(), scriptNumber)) {
      const std::string path = unusedPath(sourceFile.path, taken);
      text.clear();
      source.appendFile(text, sourceFile);
      source.releaseBodies();
      const bool ok = writeText(std::filesystem::path(root) / path, text);
      all = all && ok;
      if (written) written(path, ok);
    }
    scriptNumber += static_cast<std::uint32_t>(file->scripts.size());
  }
  return all;
}

}  // namespace orvane
