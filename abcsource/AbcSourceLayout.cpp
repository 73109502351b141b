#include "abcsource/AbcSourceLayout.h"

#include "abcsource/AbcDefinitions.h"
#include "abcsource/AbcIdentifiers.h"
#include "abcsource/AbcSourceNames.h"

namespace orvane {

namespace {

bool isPackageClass(const AbcFile& file, std::uint32_t classIndex) {
  return classIndex < file.instances.size() && packageNamespaceOf(file, file.instances[classIndex].name) != nullptr;
}

std::string definitionPath(AbcNames& names, std::uint32_t multiname) {
  return sourcePath(names.packageName(multiname), names.simpleName(multiname));
}

}  // namespace

std::string sourcePath(const std::string& package, const std::string& name) {
  std::string path = package.empty() ? std::string() : sourcePackage(package);
  for (char& c : path)
    if (c == '.') c = '/';
  return (path.empty() ? "" : path + "/") + sourceIdentifier(name) + ".as";
}

std::vector<AbcSourceFile> layoutSourceFiles(const AbcFile& file, AbcNames& names, std::uint32_t firstScriptNumber) {
  std::vector<AbcSourceFile> files;
  std::vector<bool> placed(file.instances.size(), false);
  for (std::size_t s = 0; s < file.scripts.size(); ++s) {
    const AbcScript& script = file.scripts[s];
    AbcSourceFile own;
    own.script = static_cast<std::int64_t>(s);
    own.scriptNumber = firstScriptNumber + static_cast<std::uint32_t>(s);
    std::vector<AbcSourceFile> others;
    for (const AbcTrait& trait : script.traits) {
      if (trait.kind != traitkind::kClass || trait.index >= placed.size() || placed[trait.index]) continue;
      if (!isPackageClass(file, trait.index)) continue;  // a private class stays in the script's own file
      placed[trait.index] = true;
      AbcSourceFile& target = own.packageClasses.empty() ? own : others.emplace_back();
      target.packageClasses.push_back(trait.index);
      target.path = definitionPath(names, file.instances[trait.index].name);
    }
    for (const AbcTrait& trait : script.traits) {
      if (trait.kind == traitkind::kClass && trait.index < placed.size()) placed[trait.index] = true;
      if (own.path.empty() && trait.kind != traitkind::kClass && packageNamespaceOf(file, trait.name) != nullptr)
        own.path = definitionPath(names, trait.name);
    }
    if (own.path.empty()) own.path = "Script " + std::to_string(own.scriptNumber) + ".as";
    files.push_back(std::move(own));
    for (AbcSourceFile& other : others) files.push_back(std::move(other));
  }
  for (std::uint32_t c = 0; c < placed.size(); ++c) {
    if (placed[c]) continue;
    AbcSourceFile orphan;
    orphan.packageClasses.push_back(c);
    orphan.path = definitionPath(names, file.instances[c].name);
    files.push_back(std::move(orphan));
  }
  return files;
}

}  // namespace orvane
