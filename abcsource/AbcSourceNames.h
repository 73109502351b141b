// How one source file refers to what other packages define: its imports, which names it
// must write qualified, and the identifiers of the namespaces it uses.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "abc/AbcFile.h"
#include "abcsource/AbcDefinitions.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

/// Filled in two steps: first everything the file names is noted (`noteMultiname`, or the
/// finer `noteType` / `notePackage` / `noteNamespace`), then `reference` and the import
/// lines answer for the whole file. Works on definitions it does not own.
class AbcSourceNames : public SourceNames {
 public:
  AbcSourceNames(const AbcDefinitions& definitions, std::string ownPackage);

  /// A QName in a package namespace (a type, a class, a package-level function or variable).
  void noteType(const std::string& package, const std::string& name);
  /// A package the file opens as a whole: one in a namespace set its code looks names up in.
  void notePackage(const std::string& package);
  /// A user namespace the file declares names in or names with it (`N::x`); `opened` when
  /// its code also looks unqualified names up in it (`use namespace N;`).
  void noteNamespace(const std::string& uri, bool opened);
  /// Notes what a multiname of `file` names: its QName's package, the generic type and the
  /// parameters of a type name, the packages and user namespaces of its namespace set.
  /// Indices past their tables are ignored.
  void noteMultiname(const AbcFile& file, std::uint32_t multiname);

  /// `Sprite`, or `flash.display.Sprite` when the file names a `Sprite` of two packages,
  /// or of one package while its own package or the top level defines another.
  std::string reference(std::string_view package, std::string_view name) const override;
  /// The identifier of a user namespace: its declaration's, or a name of the file's own
  /// (`namespace1`) that `appendNamespaceDeclarations` declares.
  std::string namespaceReference(const std::string& uri) const override;

  /// `import a.b.C;` for every noted type outside `excludedPackage` (the package block the
  /// lines open; empty: none left out), `import a.*;` for opened packages, sorted, each
  /// once; then `use namespace N;` for every opened namespace that some block declares.
  void appendImports(std::string& out, const std::string& indent, const std::string& excludedPackage) const;
  /// `private namespace namespace1 = "uri";` (or without `private` at the top level) for
  /// every noted namespace that no block declares, and `use namespace` for those opened.
  void appendNamespaceDeclarations(std::string& out, const std::string& indent, bool inClass) const;
  /// Whether the file uses namespaces that no block declares.
  bool hasUndeclaredNamespaces() const { return !m_undeclared.empty(); }

  const std::string& ownPackage() const { return m_ownPackage; }

 private:
  void noteMultiname(const AbcFile& file, std::uint32_t multiname, unsigned depth);
  void noteNamespaceOf(const AbcFile& file, std::uint32_t ns);
  bool isAmbiguous(const std::string& name) const;

  const AbcDefinitions& m_definitions;
  std::string m_ownPackage;
  /// Per simple name (as an identifier): the packages the file names it from.
  std::map<std::string, std::set<std::string>> m_typePackages;
  std::set<std::string> m_packages;
  std::set<std::string> m_namespaces;
  std::set<std::string> m_openedNamespaces;
  std::map<std::string, std::string> m_undeclared;  // URI → the identifier the file gives it
};

/// `a.b` with each part made an identifier (for packages whose names are not).
std::string sourcePackage(std::string_view package);

}  // namespace orvane
