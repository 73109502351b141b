// The multinames of an ABC block as expression nodes of decompiled source: what a scope
// lookup finds, the names of members, types.
#pragma once

#include <cstdint>
#include <string>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "decompiler/SourceExpression.h"

namespace orvane {

/// Works on a file and names it does not own; every index is checked (an index past its
/// table reads as `*`). A definition of a package becomes a qualified name and a name in
/// a user namespace a namespaced one, so that the printed file decides how to write them;
/// every name is an identifier of the language (`sourceIdentifier`).
class AbcNameExpressions {
 public:
  AbcNameExpressions(const AbcFile& file, const AbcNames& names) : m_file(file), m_names(names) {}

  /// What a lookup of `multiname` on the scope chain names (getlex, findpropstrict).
  ExpressionPtr scopeName(std::uint32_t multiname) const;
  /// The name of a member `o.name`: a string (as it stands for a runtime lookup, as an
  /// identifier for a QName), a namespaced name, or an attribute of either. Runtime
  /// parts are not part of it.
  ExpressionPtr memberName(std::uint32_t multiname) const;
  /// A type as source text: `*` for 0, `Vector.<T>` for a type name.
  ExpressionPtr type(std::uint32_t multiname) const;
  /// The name part as an identifier.
  std::string identifier(std::uint32_t multiname) const;
  /// Whether the multiname names an attribute (`@a`).
  bool isAttribute(std::uint32_t multiname) const;

 private:
  ExpressionPtr type(std::uint32_t multiname, unsigned depth) const;
  /// The namespace of a QName, or none.
  const AbcNamespace* qualifier(std::uint32_t multiname) const;
  /// Whether a QName's namespace is a user namespace that the source must name.
  bool isUserNamespace(const AbcNamespace& ns) const;

  const AbcFile& m_file;
  const AbcNames& m_names;
};

}  // namespace orvane
