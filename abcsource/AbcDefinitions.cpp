#include "abcsource/AbcDefinitions.h"

#include <algorithm>
#include <array>

#include "abcsource/AbcIdentifiers.h"

namespace orvane {

namespace {

struct PlayerNamespace {
  const char* uri;
  AbcNamespaceDeclaration declaration;
};

const std::array<PlayerNamespace, 2>& playerNamespaces() {
  static const std::array<PlayerNamespace, 2> table = {{
      {"http://adobe.com/AS3/2006/builtin", {"", "AS3"}},
      {"http://www.adobe.com/2006/actionscript/flash/proxy", {"flash.utils", "flash_proxy"}},
  }};
  return table;
}

const std::string& poolString(const AbcFile& file, std::uint32_t index) {
  static const std::string empty;
  return index < file.pool.strings.size() ? file.pool.strings[index] : empty;
}

}  // namespace

bool isNamespaceValue(const AbcValue& value) {
  switch (value.kind) {
    case nskind::kNamespace:
    case nskind::kPackage:
    case nskind::kPackageInternal:
    case nskind::kProtected:
    case nskind::kExplicit:
    case nskind::kStaticProtected:
    case nskind::kPrivate: return true;
    default: return false;
  }
}

const AbcNamespace* packageNamespaceOf(const AbcFile& file, std::uint32_t multiname) {
  const auto& names = file.pool.multinames;
  if (multiname >= names.size()) return nullptr;
  const AbcMultiname& name = names[multiname];
  if (name.kind != mnkind::kQName || name.ns >= file.pool.namespaces.size()) return nullptr;
  const AbcNamespace& ns = file.pool.namespaces[name.ns];
  if (ns.kind != nskind::kPackage && ns.kind != nskind::kPackageInternal) return nullptr;
  return &ns;
}

void AbcDefinitions::addDefinition(const AbcFile& file, std::uint32_t multiname) {
  const AbcNamespace* ns = packageNamespaceOf(file, multiname);
  if (ns == nullptr) return;
  std::vector<std::string>& packages =
      m_packagesByName[sourceIdentifier(poolString(file, file.pool.multinames[multiname].name))];
  const std::string& package = poolString(file, ns->name);
  if (std::find(packages.begin(), packages.end(), package) == packages.end()) packages.push_back(package);
}

void AbcDefinitions::addNamespaces(const AbcFile& file, const std::vector<AbcTrait>& traits) {
  for (const AbcTrait& trait : traits) {
    if (trait.kind != traitkind::kConst || !isNamespaceValue(trait.value) ||
        trait.value.index >= file.pool.namespaces.size() || trait.name >= file.pool.multinames.size())
      continue;
    const std::string& uri = poolString(file, file.pool.namespaces[trait.value.index].name);
    const AbcNamespace* ns = packageNamespaceOf(file, trait.name);
    AbcNamespaceDeclaration declaration{ns != nullptr ? poolString(file, ns->name) : std::string(),
                                        sourceIdentifier(poolString(file, file.pool.multinames[trait.name].name))};
    m_namespaces.try_emplace(uri, std::move(declaration));
  }
}

void AbcDefinitions::add(const AbcFile& file) {
  for (const AbcInstance& instance : file.instances) addDefinition(file, instance.name);
  for (const AbcScript& script : file.scripts) {
    for (const AbcTrait& trait : script.traits) addDefinition(file, trait.name);
    addNamespaces(file, script.traits);
  }
  for (const AbcClass& entry : file.classes) addNamespaces(file, entry.traits);
}

bool AbcDefinitions::defines(std::string_view package, std::string_view name) const {
  const auto found = m_packagesByName.find(std::string(name));
  return found != m_packagesByName.end() &&
         std::find(found->second.begin(), found->second.end(), package) != found->second.end();
}

const AbcNamespaceDeclaration* AbcDefinitions::namespaceDeclaration(const std::string& uri) const {
  const auto found = m_namespaces.find(uri);
  if (found != m_namespaces.end()) return &found->second;
  for (const PlayerNamespace& player : playerNamespaces())
    if (uri == player.uri) return &player.declaration;
  return nullptr;
}

}  // namespace orvane
