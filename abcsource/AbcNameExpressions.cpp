#include "abcsource/AbcNameExpressions.h"

#include "abcsource/AbcIdentifiers.h"

namespace orvane {

namespace {

/// Open in every file, so its names read plainly.
constexpr std::string_view kBuiltinNamespace = "http://adobe.com/AS3/2006/builtin";
/// How deep type names nest at most (a block can make one its own parameter).
constexpr unsigned kTypeDepth = 8;

}  // namespace

const AbcNamespace* AbcNameExpressions::qualifier(std::uint32_t multiname) const {
  const auto& names = m_file.pool.multinames;
  if (multiname == 0 || multiname >= names.size()) return nullptr;
  const AbcMultiname& name = names[multiname];
  if ((name.kind != mnkind::kQName && name.kind != mnkind::kQNameA) || name.ns >= m_file.pool.namespaces.size())
    return nullptr;
  return &m_file.pool.namespaces[name.ns];
}

bool AbcNameExpressions::isUserNamespace(const AbcNamespace& ns) const {
  return ns.kind == nskind::kNamespace && m_names.string(ns.name) != kBuiltinNamespace;
}

std::string AbcNameExpressions::identifier(std::uint32_t multiname) const {
  return sourceIdentifier(m_names.simpleName(multiname));
}

bool AbcNameExpressions::isAttribute(std::uint32_t multiname) const {
  const auto& names = m_file.pool.multinames;
  if (multiname >= names.size()) return false;
  const std::uint8_t kind = names[multiname].kind;
  return kind == mnkind::kQNameA || kind == mnkind::kRTQNameA || kind == mnkind::kMultinameA ||
         kind == mnkind::kMultinameLA || kind == mnkind::kRTQNameLA;
}

ExpressionPtr AbcNameExpressions::scopeName(std::uint32_t multiname) const {
  if (const AbcNamespace* ns = qualifier(multiname)) {
    const std::string& package = m_names.string(ns->name);
    if (ns->kind == nskind::kPackage && !package.empty()) return makeQualifiedName(package, identifier(multiname));
    if (isUserNamespace(*ns)) return makeNamespacedName(package, identifier(multiname));
  }
  return makeIdentifier(identifier(multiname));
}

ExpressionPtr AbcNameExpressions::memberName(std::uint32_t multiname) const {
  ExpressionPtr name;
  if (const AbcNamespace* ns = qualifier(multiname)) {
    // A QName names a trait, declared under the identifier its name gives.
    name = isUserNamespace(*ns) ? makeNamespacedName(m_names.string(ns->name), identifier(multiname))
                                : makeString(identifier(multiname));
  } else {
    // A runtime lookup by the name as it stands (o["content-type"]).
    name = makeString(m_names.simpleName(multiname));
  }
  return isAttribute(multiname) ? makeAttribute(std::move(name)) : name;
}

ExpressionPtr AbcNameExpressions::type(std::uint32_t multiname) const { return type(multiname, 0); }

ExpressionPtr AbcNameExpressions::type(std::uint32_t multiname, unsigned depth) const {
  const auto& names = m_file.pool.multinames;
  if (multiname == 0 || multiname >= names.size() || depth > kTypeDepth) return makeIdentifier("*");
  const AbcMultiname& name = names[multiname];
  if (name.kind == mnkind::kTypeName) {
    std::vector<ExpressionPtr> parameters;
    for (const std::uint32_t parameter : name.parameters) parameters.push_back(type(parameter, depth + 1));
    return makeTypeApplication(type(name.base, depth + 1), std::move(parameters));
  }
  if (name.kind != mnkind::kQName && name.kind != mnkind::kMultiname) return makeIdentifier("*");
  // The one reserved word that is a type.
  if (m_names.simpleName(multiname) == "void") return makeIdentifier("void");
  return scopeName(multiname);
}

}  // namespace orvane
