// What the ABC blocks of one movie define, as the source texts of any of them need it:
// which packages define a name, and which declared namespace holds a URI.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "abc/AbcFile.h"

namespace orvane {

/// A namespace declared by a const trait (`public namespace mx_internal = "uri";`).
struct AbcNamespaceDeclaration {
  std::string package;     // of the trait's name; empty for the top level
  std::string identifier;  // as the source names it
};

class AbcDefinitions {
 public:
  /// Adds every class and every trait of a script of `file` (its package-level definitions)
  /// and every namespace a const trait declares, class traits included.
  void add(const AbcFile& file);

  /// Whether a definition called `name` (as a source identifier) lies in `package`.
  bool defines(std::string_view package, std::string_view name) const;
  /// The declaration of the namespace with that URI: the first one added, or one the
  /// player defines (`AS3`, `flash_proxy`); none when no block declares it.
  const AbcNamespaceDeclaration* namespaceDeclaration(const std::string& uri) const;

 private:
  void addDefinition(const AbcFile& file, std::uint32_t multiname);
  void addNamespaces(const AbcFile& file, const std::vector<AbcTrait>& traits);

  std::unordered_map<std::string, std::vector<std::string>> m_packagesByName;
  std::unordered_map<std::string, AbcNamespaceDeclaration> m_namespaces;
};

/// The QName's namespace as a package: its name for a package or package-internal
/// namespace, none for any other kind of name or namespace.
const AbcNamespace* packageNamespaceOf(const AbcFile& file, std::uint32_t multiname);
/// Whether a trait's value is a namespace (of any kind).
bool isNamespaceValue(const AbcValue& value);

}  // namespace orvane
