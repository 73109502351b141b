#include "abcsource/AbcSourceNames.h"

#include "abc/AbcNames.h"
#include "abcsource/AbcIdentifiers.h"

namespace orvane {

namespace {

constexpr unsigned kTypeNameDepth = 8;  // as deep as the disassembly follows type names
/// Vector's package: the compiler knows it without an import.
constexpr std::string_view kVectorPackage = "__AS3__.vec";
/// Open in every file: `use namespace AS3;` would only repeat it.
constexpr std::string_view kBuiltinNamespace = "AS3";

const std::string& poolString(const AbcFile& file, std::uint32_t index) {
  static const std::string empty;
  return index < file.pool.strings.size() ? file.pool.strings[index] : empty;
}

}  // namespace

std::string sourcePackage(std::string_view package) {
  std::string text;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = package.find('.', start);
    text += sourceIdentifier(package.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) return text;
    text.push_back('.');
    start = dot + 1;
  }
}

AbcSourceNames::AbcSourceNames(const AbcDefinitions& definitions, std::string ownPackage)
    : m_definitions(definitions), m_ownPackage(std::move(ownPackage)) {}

void AbcSourceNames::noteType(const std::string& package, const std::string& name) {
  if (package == kVectorPackage) return;
  m_typePackages[sourceIdentifier(name)].insert(package);
}

void AbcSourceNames::notePackage(const std::string& package) {
  if (!package.empty() && package != kVectorPackage) m_packages.insert(package);
}

void AbcSourceNames::noteNamespace(const std::string& uri, bool opened) {
  if (opened) m_openedNamespaces.insert(uri);
  if (!m_namespaces.insert(uri).second || m_definitions.namespaceDeclaration(uri) != nullptr) return;
  m_undeclared.emplace(uri, "namespace" + std::to_string(m_undeclared.size() + 1));
}

void AbcSourceNames::noteMultiname(const AbcFile& file, std::uint32_t multiname) { noteMultiname(file, multiname, 0); }

void AbcSourceNames::noteNamespaceOf(const AbcFile& file, std::uint32_t ns) {
  if (ns == 0 || ns >= file.pool.namespaces.size()) return;
  const AbcNamespace& entry = file.pool.namespaces[ns];
  if (entry.kind == nskind::kPackage) notePackage(poolString(file, entry.name));
  if (entry.kind == nskind::kNamespace) noteNamespace(poolString(file, entry.name), true);
}

void AbcSourceNames::noteMultiname(const AbcFile& file, std::uint32_t multiname, unsigned depth) {
  const auto& names = file.pool.multinames;
  if (multiname == 0 || multiname >= names.size() || depth > kTypeNameDepth) return;
  const AbcMultiname& name = names[multiname];
  switch (name.kind) {
    case mnkind::kQName:
    case mnkind::kQNameA: {
      if (name.ns >= file.pool.namespaces.size()) return;
      const AbcNamespace& ns = file.pool.namespaces[name.ns];
      if (ns.kind == nskind::kPackage) noteType(poolString(file, ns.name), poolString(file, name.name));
      if (ns.kind == nskind::kNamespace) noteNamespace(poolString(file, ns.name), false);
      return;
    }
    case mnkind::kMultiname:
    case mnkind::kMultinameA:
    case mnkind::kMultinameL:
    case mnkind::kMultinameLA:
      if (name.nsSet < file.pool.namespaceSets.size())
        for (const std::uint32_t ns : file.pool.namespaceSets[name.nsSet]) noteNamespaceOf(file, ns);
      return;
    case mnkind::kTypeName:
      noteMultiname(file, name.base, depth + 1);
      for (const std::uint32_t parameter : name.parameters) noteMultiname(file, parameter, depth + 1);
      return;
    default: return;
  }
}

bool AbcSourceNames::isAmbiguous(const std::string& name) const {
  const auto found = m_typePackages.find(name);
  if (found == m_typePackages.end()) return false;
  std::size_t packages = found->second.size();
  for (const std::string& other : {m_ownPackage, std::string()})
    if (!found->second.contains(other) && m_definitions.defines(other, name)) ++packages;
  return packages > 1;
}

std::string AbcSourceNames::reference(std::string_view package, std::string_view name) const {
  std::string identifier = sourceIdentifier(name);
  if (package.empty() || package == kVectorPackage || !isAmbiguous(identifier)) return identifier;
  return sourcePackage(package) + "." + identifier;
}

std::string AbcSourceNames::namespaceReference(const std::string& uri) const {
  if (const AbcNamespaceDeclaration* declaration = m_definitions.namespaceDeclaration(uri))
    return declaration->identifier;
  const auto found = m_undeclared.find(uri);
  return found != m_undeclared.end() ? found->second : "namespace0";
}

void AbcSourceNames::appendImports(std::string& out, const std::string& indent,
                                   const std::string& excludedPackage) const {
  std::set<std::string> imports;
  for (const auto& [name, packages] : m_typePackages)
    for (const std::string& package : packages)
      if (!package.empty() && package != excludedPackage) imports.insert(sourcePackage(package) + "." + name);
  for (const std::string& package : m_packages)
    if (package != excludedPackage) imports.insert(sourcePackage(package) + ".*");
  for (const std::string& uri : m_namespaces) {
    const AbcNamespaceDeclaration* declaration = m_definitions.namespaceDeclaration(uri);
    if (declaration != nullptr && !declaration->package.empty() && declaration->package != excludedPackage)
      imports.insert(sourcePackage(declaration->package) + "." + declaration->identifier);
  }
  for (const std::string& line : imports) out += indent + "import " + line + ";\n";
  for (const std::string& uri : m_openedNamespaces)
    if (!m_undeclared.contains(uri) && namespaceReference(uri) != kBuiltinNamespace)
      out += indent + "use namespace " + namespaceReference(uri) + ";\n";
}

void AbcSourceNames::appendNamespaceDeclarations(std::string& out, const std::string& indent, bool inClass) const {
  for (const auto& [uri, identifier] : m_undeclared) {
    out += indent + (inClass ? "private namespace " : "namespace ") + identifier + " = " + quotedString(uri) + ";\n";
    if (m_openedNamespaces.contains(uri)) out += indent + "use namespace " + identifier + ";\n";
  }
}

}  // namespace orvane
