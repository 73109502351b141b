// The texts of an ABC block's names and constants: qualified multinames, namespaces,
// quoted strings, numbers and default values, and a name for every method.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "abc/AbcFile.h"

namespace orvane {

/// `"` + the text with backslash, quote and control characters escaped + `"`.
std::string quotedString(std::string_view text);
/// The shortest text that reads back as the same double; NaN, Infinity, -Infinity.
std::string doubleText(double value);

/// Works on a parsed file it does not own. Every index is checked: one past its table
/// gives a marker text such as "<multiname 7?>", never a read outside. Multiname texts
/// are made once and kept, so a listing that names the same property a thousand times
/// builds its text once.
class AbcNames {
 public:
  explicit AbcNames(const AbcFile& file);

  const std::string& string(std::uint32_t index) const;
  /// The namespace's name, or for an unnamed one the word of its kind ("public",
  /// "private", "protected", "internal").
  std::string namespaceText(std::uint32_t index) const;
  /// `{public, flash.display}`: the texts of the set's namespaces in braces.
  std::string namespaceSetText(std::uint32_t index) const;
  /// `flash.display::Sprite`; "*" for index 0; attributes with "@"; runtime parts in
  /// brackets (`[ns]::name`, `{ns, ns}::[name]`); type names as `Vector.<int>`.
  std::string multiname(std::uint32_t index);
  /// The same text appended to `out`.
  void appendMultiname(std::string& out, std::uint32_t index);
  /// The name part alone (`Sprite`), for declarations.
  std::string simpleName(std::uint32_t index) const;
  /// The package of a QName in a package namespace; empty otherwise.
  std::string packageName(std::uint32_t index) const;
  /// The declaration keyword of a trait name's namespace: "public", "private",
  /// "protected", "internal", or the quoted URI of a user namespace.
  std::string accessKeyword(std::uint32_t multinameIndex) const;
  /// A constant as source text: 5, "a", true, null, undefined, a namespace's URI.
  std::string constant(const AbcValue& value) const;
  /// What the traits call a method (`Foo/run`, `Foo/get x`, `Foo$cinit`, `script0$init`),
  /// else its own name; empty when it has neither.
  const std::string& methodName(std::uint32_t index) const;

 private:
  std::string buildMultiname(std::uint32_t index, unsigned depth) const;
  void nameMethods();
  void nameTraitMethods(const std::vector<AbcTrait>& traits, const std::string& owner);

  const AbcFile& m_file;
  std::vector<std::string> m_multinames;
  std::vector<bool> m_multinameBuilt;
  std::vector<std::string> m_methodNames;
};

}  // namespace orvane
